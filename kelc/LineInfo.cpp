#include "kelc/LineInfo.h"

#include <algorithm>
#include <utility>

namespace kelc {

void TLineInfoList::Clear() {
    items_.clear();
    enclosing_.clear();
    current_ = -1;
    lastEntry_ = nullptr;
    lastFrom_ = lastTo_ = 0;
}

TLineInfo& TLineInfoList::Add() {
    lastFrom_ = lastTo_ = 0;
    items_.push_back(std::make_unique<TLineInfo>());
    return *items_.back();
}

void TLineInfoList::LinkEnclosingEntries() const {
    for (std::size_t i = enclosing_.size(); i < items_.size(); ++i) {
        // An entry still being processed (EndPos 0) encloses everything after its start.
        int candidate = static_cast<int>(i) - 1;
        while (candidate >= 0) {
            const TLineInfo& outer = *items_[static_cast<std::size_t>(candidate)];
            if (outer.endPos == 0 || outer.endPos > items_[i]->startPos) break;
            candidate = enclosing_[static_cast<std::size_t>(candidate)];
        }
        enclosing_.push_back(candidate);
    }
}

bool TLineInfoList::Lookup(std::int32_t offset, TLineInfoResults& result) const {
    const TLineInfo* info = Locate(offset, result);
    if (info != nullptr) result.fileName = info->fileName;
    return info != nullptr;
}

std::size_t TLineInfoList::LinesUpTo(const TLineInfo& info, std::int32_t relative) const {
    const std::vector<std::int32_t>& starts = info.lineStarts;
    auto holds = [&](std::size_t lines) {
        return lines >= 1 && lines <= starts.size() && starts[lines - 1] <= relative &&
               (lines == starts.size() || relative < starts[lines]);
    };
    if (lastEntry_ != &info || (!holds(lastLines_) && !holds(++lastLines_)))
        lastLines_ = static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), relative) - starts.begin());
    lastEntry_ = &info;
    return lastLines_;
}

const TLineInfo* TLineInfoList::Locate(std::int32_t offset, TLineInfoResults& result) const {
    // Tokens are placed in text order: mostly in the stretch of the last search.
    const TLineInfo* found = offset >= lastFrom_ && offset < lastTo_ ? lastFound_ : Search(offset);
    if (found == nullptr) return nullptr;
    const TLineInfo& info = *found;
    std::int32_t relative = offset - info.startPos;
    result.offset = relative;
    const std::size_t lines = LinesUpTo(info, relative);
    if (lines == 0) {
        result.line = 1;
        result.column = 1;
    } else {
        result.line = static_cast<std::int32_t>(lines);
        result.column = relative - info.lineStarts[lines - 1] + 1;
    }
    return &info;
}

const TLineInfo* TLineInfoList::Search(std::int32_t offset) const {
    if (enclosing_.size() < items_.size()) LinkEnclosingEntries();  // entries added since the last call
    // The last entry starting at or before the offset, then outwards through its includers: the
    // first whose stretch holds the offset is the last such entry in the list, the innermost file.
    auto after = std::upper_bound(items_.begin(), items_.end(), offset,
                                  [](std::int32_t o, const std::unique_ptr<TLineInfo>& e) { return o < e->startPos; });
    for (int index = static_cast<int>(after - items_.begin()) - 1; index >= 0;
         index = enclosing_[static_cast<std::size_t>(index)]) {
        const TLineInfo& info = *items_[static_cast<std::size_t>(index)];
        if (offset >= info.endPos) continue;
        lastFound_ = &info;
        lastFrom_ = offset;
        lastTo_ = after == items_.end() ? info.endPos : std::min(info.endPos, (*after)->startPos);
        return &info;
    }
    return nullptr;
}

void PlaceToken(const TLineInfoList& list, TTokenData& token) {
    TLineInfoResults where;
    const TLineInfo* info = list.Locate(token.pos - 1, where);
    if (info == nullptr) {
        token.fileName.clear();
        return;
    }
    if (token.fileName != info->fileName) token.fileName = info->fileName;  // mostly the same file
    token.line = where.line;
    token.column = where.column;
    token.pos = where.offset;
}

}  // namespace kelc
