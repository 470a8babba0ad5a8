#pragma once
// The line-origin list. For every file the preprocessor processes
// it records the stretch of the output the file produced and where each of its lines starts in
// output terms, so that an output offset maps back to file, line and column.
#include "kelc/Tokens.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kelc {

struct TLineInfo {
    std::int32_t endPos = 0;    // output offset just past the file's stretch; 0 while processing
    std::int32_t startPos = 0;  // output offset (0-based) where the file's output begins
    std::string fileName;       // as the preprocessor was asked to process it
    std::vector<std::int32_t> lineStarts;  // per line, its first character's offset from startPos
};

struct TLineInfoResults {
    std::int32_t line = 0;    // 1-based
    std::int32_t column = 0;  // 1-based
    std::int32_t offset = 0;  // relative to the entry's startPos
    std::string fileName;
};

class TLineInfoList {
public:
    void Clear();
    // Appends a new empty entry and returns it; entries keep their addresses.
    TLineInfo& Add();
    std::size_t Count() const { return items_.size(); }
    TLineInfo& Items(std::size_t index) { return *items_[index]; }
    const TLineInfo& Items(std::size_t index) const { return *items_[index]; }

    // Index of the entry that receives line starts; -1 when there is none.
    int Current() const { return current_; }
    void SetCurrent(int index) { current_ = index; }
    TLineInfo* CurrentItem() { return current_ >= 0 && current_ < static_cast<int>(items_.size()) ? items_[current_].get() : nullptr; }

    // Maps an output offset (0-based) to the innermost file whose stretch holds it. False, with
    // `result` untouched, when no stretch holds it. Stretches nest (an included file's lies inside
    // its includer's), which keeps this logarithmic however many files there are.
    bool Lookup(std::int32_t offset, TLineInfoResults& result) const;
    // Lookup without copying the file name: the entry found, or nullptr (`result` untouched, and
    // its fileName left alone either way).
    const TLineInfo* Locate(std::int32_t offset, TLineInfoResults& result) const;

private:
    void LinkEnclosingEntries() const;
    // Locate's search for the entry, which also notes the stretch of offsets it answers for.
    const TLineInfo* Search(std::int32_t offset) const;
    // How many of the entry's line starts lie at or before `relative`.
    std::size_t LinesUpTo(const TLineInfo& info, std::int32_t relative) const;

    std::vector<std::unique_ptr<TLineInfo>> items_;
    int current_ = -1;
    // Per entry, the index of the nearest earlier entry whose stretch encloses its start (-1 for
    // none): its includer. Worked out on demand for entries added since the last lookup.
    mutable std::vector<int> enclosing_;
    // The entry and line of the last lookup: tokens are looked up in text order, so the next one
    // is mostly on the same line or the line after it.
    mutable const TLineInfo* lastEntry_ = nullptr;
    mutable std::size_t lastLines_ = 0;
    // The entry the last search found, which is the answer for every offset in [lastFrom_,
    // lastTo_): no other entry starts there and it has not ended.
    mutable const TLineInfo* lastFound_ = nullptr;
    mutable std::int32_t lastFrom_ = 0;
    mutable std::int32_t lastTo_ = 0;
};

// What the compiler's position hook does with a scanned token: when the list knows the 0-based
// offset Pos - 1, the token's file name, line, column and Pos become that origin's (Pos the offset
// relative to the file's stretch); otherwise the token keeps the scanner's own position and no
// file name.
void PlaceToken(const TLineInfoList& list, TTokenData& token);

}  // namespace kelc
