#pragma once
// A sorted list of names with associated objects whose lookups respect letter case (byte-wise
// comparison). It does not own the objects. Holds the preprocessor's define table. A balanced
// tree keeps Add, Find and Remove logarithmic, so a script with a hundred thousand definitions
// stays fast.
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace kelc {

template <class T>
class TCaseSensitiveStringList {
public:
    // Enters the name with its object; false, and nothing changes, when the name is already there
    // (duplicates are refused).
    bool Add(const std::string& name, T* object) { return entries_.emplace(name, object).second; }

    // The object entered with the name; nullptr when the name is absent.
    T* Find(std::string_view name) const {
        auto at = entries_.find(name);
        return at == entries_.end() ? nullptr : at->second;
    }

    bool Contains(const std::string& name) const { return entries_.count(name) != 0; }

    // Removes the name's entry (not its object); false when the name is absent.
    bool Remove(const std::string& name) { return entries_.erase(name) != 0; }

    void Clear() { entries_.clear(); }
    std::size_t Count() const { return entries_.size(); }

private:
    std::map<std::string, T*, std::less<>> entries_;  // std::less<> compares with views too
};

}  // namespace kelc
