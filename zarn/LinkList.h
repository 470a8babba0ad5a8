#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zarn {

// Texts that travel inside the COB file (DLL link symbols or strings). Each entry's offset is
// where its text starts in the table built from the list: its characters, then a NUL byte.
class LinkList {
public:
    // Offset of the first entry with this text, or -1.
    int Find(const std::string& text) const {
        auto found = firstOffset_.find(text);
        return found == firstOffset_.end() ? -1 : found->second;
    }

    int Append(const std::string& text) {
        int offset = size_;
        texts_.push_back(text);
        firstOffset_.emplace(text, offset);
        size_ += static_cast<int>(text.size()) + 1;
        return offset;
    }

    int Size() const { return size_; }

    std::string BuildTable() const {
        std::string table;
        table.reserve(static_cast<std::size_t>(size_));
        for (const std::string& text : texts_) {
            table += text;
            table += '\0';
        }
        return table;
    }

private:
    std::vector<std::string> texts_;
    std::unordered_map<std::string, int> firstOffset_;
    int size_ = 0;
};

}  // namespace zarn
