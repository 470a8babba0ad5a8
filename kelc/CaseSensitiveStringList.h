#pragma once
// A sorted list of names with associated objects whose lookups respect letter case (byte-wise
// comparison). It does not own the objects. Used for the preprocessor's define table and for the
// names of the compiler's scopes. A balanced tree keeps Add, Find and Remove logarithmic, so a
// script with a hundred thousand definitions stays fast; positional access walks the tree.
#include <iterator>
#include <map>
#include <string>

namespace kelc {

template <class T>
class TCaseSensitiveStringList {
public:
    // Enters the name with its object; false, and nothing changes, when the name is already there
    // (duplicates are refused).
    bool Add(const std::string& name, T* object) { return entries_.emplace(name, object).second; }

    // The object entered with the name; nullptr when the name is absent.
    T* Find(const std::string& name) const {
        auto at = entries_.find(name);
        return at == entries_.end() ? nullptr : at->second;
    }

    bool Contains(const std::string& name) const { return entries_.count(name) != 0; }

    // Position of the name in sorted order; -1 when absent.
    int IndexOf(const std::string& name) const {
        auto at = entries_.find(name);
        return at == entries_.end() ? -1 : static_cast<int>(std::distance(entries_.begin(), at));
    }

    // Removes the name's entry (not its object); false when the name is absent.
    bool Remove(const std::string& name) { return entries_.erase(name) != 0; }

    void Clear() { entries_.clear(); }
    std::size_t Count() const { return entries_.size(); }
    const std::string& Names(std::size_t index) const { return At(index)->first; }
    T* Objects(std::size_t index) const { return At(index)->second; }

private:
    using Entries = std::map<std::string, T*>;

    typename Entries::const_iterator At(std::size_t index) const {
        return std::next(entries_.begin(), static_cast<std::ptrdiff_t>(index));
    }

    Entries entries_;
};

}  // namespace kelc
