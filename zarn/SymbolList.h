#pragma once
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zarn {

// An ordered list of names, each numbered by its position. Lookups find the first entry with
// the same text in constant time.
class SymbolList {
public:
    // Index of the first entry with this text, or -1.
    int Find(std::string_view text) const {
        auto found = firstIndex_.find(text);
        return found == firstIndex_.end() ? -1 : found->second;
    }

    int Append(std::string text) {
        int index = Count();
        names_.push_back(std::move(text));
        firstIndex_.emplace(names_.back(), index);  // keeps an earlier entry with the same text
        return index;
    }

    int Count() const { return static_cast<int>(names_.size()); }
    const std::string& Name(int index) const { return names_[static_cast<std::size_t>(index)]; }

    void Clear() {
        firstIndex_.clear();
        names_.clear();
    }

private:
    std::deque<std::string> names_;  // a deque keeps the names in place, so the index may view them
    std::unordered_map<std::string_view, int> firstIndex_;
};

}  // namespace zarn
