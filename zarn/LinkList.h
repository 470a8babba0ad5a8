#pragma once
#include "zarn/SymbolList.h"

#include <string>
#include <string_view>
#include <vector>

namespace zarn {

// Texts that travel inside the COB file (DLL link symbols or strings). Each entry's offset is
// where its text starts in the table built from the list: its characters, then a NUL byte.
class LinkList {
public:
    // Offset of the first entry with this text, or -1.
    int Find(std::string_view text) const {
        int index = texts_.Find(text);
        return index < 0 ? -1 : offsets_[static_cast<std::size_t>(index)];
    }

    int Append(std::string_view text) {
        int offset = size_;
        texts_.Append(text);
        offsets_.push_back(offset);
        size_ += static_cast<int>(text.size()) + 1;
        return offset;
    }

    int Size() const { return size_; }

    std::string BuildTable() const {
        std::string table;
        table.reserve(static_cast<std::size_t>(size_));
        for (int i = 0; i < texts_.Count(); ++i) {
            table += texts_.Name(i);
            table += '\0';
        }
        return table;
    }

private:
    SymbolList texts_;
    std::vector<int> offsets_;  // parallel to texts_
    int size_ = 0;
};

}  // namespace zarn
