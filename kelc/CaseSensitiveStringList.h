#pragma once
// A sorted list of names with associated objects whose lookups respect letter case (byte-wise
// comparison). It does not own the objects. Used for the preprocessor's define table and for the
// names of the compiler's scopes.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace kelc {

template <class T>
class TCaseSensitiveStringList {
public:
    // Enters the name with its object; false, and nothing changes, when the name is already there
    // (duplicates are refused).
    bool Add(const std::string& name, T* object) {
        auto at = LowerBound(name);
        if (at != entries_.end() && at->first == name) return false;
        entries_.insert(at, {name, object});
        return true;
    }

    // The object entered with the name; nullptr when the name is absent.
    T* Find(const std::string& name) const {
        int index = IndexOf(name);
        return index < 0 ? nullptr : entries_[static_cast<std::size_t>(index)].second;
    }

    bool Contains(const std::string& name) const { return IndexOf(name) >= 0; }

    // Position of the name in sorted order; -1 when absent.
    int IndexOf(const std::string& name) const {
        auto at = LowerBound(name);
        return (at != entries_.end() && at->first == name) ? static_cast<int>(at - entries_.begin()) : -1;
    }

    // Removes the name's entry (not its object); false when the name is absent.
    bool Remove(const std::string& name) {
        auto at = LowerBound(name);
        if (at == entries_.end() || at->first != name) return false;
        entries_.erase(at);
        return true;
    }

    void Clear() { entries_.clear(); }
    std::size_t Count() const { return entries_.size(); }
    const std::string& Names(std::size_t index) const { return entries_[index].first; }
    T* Objects(std::size_t index) const { return entries_[index].second; }

private:
    using Entries = std::vector<std::pair<std::string, T*>>;

    typename Entries::const_iterator LowerBound(const std::string& name) const {
        return std::lower_bound(entries_.begin(), entries_.end(), name,
                                [](const typename Entries::value_type& e, const std::string& n) { return e.first < n; });
    }
    typename Entries::iterator LowerBound(const std::string& name) {
        return std::lower_bound(entries_.begin(), entries_.end(), name,
                                [](const typename Entries::value_type& e, const std::string& n) { return e.first < n; });
    }

    Entries entries_;
};

}  // namespace kelc
