#include "kelc/LineInfo.h"

#include <algorithm>

namespace kelc {

void TLineInfoList::Clear() {
    items_.clear();
    current_ = -1;
}

TLineInfo& TLineInfoList::Add() {
    items_.push_back(std::make_unique<TLineInfo>());
    return *items_.back();
}

bool TLineInfoList::Lookup(std::int32_t offset, TLineInfoResults& result) const {
    // From the last entry: an included file's stretch lies inside its includer's.
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        const TLineInfo& info = **it;
        if (info.startPos > offset || offset >= info.endPos) continue;
        std::int32_t relative = offset - info.startPos;
        result.fileName = info.fileName;
        result.offset = relative;
        auto after = std::upper_bound(info.lineStarts.begin(), info.lineStarts.end(), relative);
        if (after == info.lineStarts.begin()) {
            result.line = 1;
            result.column = 1;
        } else {
            result.line = static_cast<std::int32_t>(after - info.lineStarts.begin());
            result.column = relative - *(after - 1) + 1;
        }
        return true;
    }
    return false;
}

}  // namespace kelc
