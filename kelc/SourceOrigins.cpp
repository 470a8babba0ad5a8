#include "kelc/SourceOrigins.h"

#include <algorithm>

namespace kelc {
namespace {

constexpr char kSeparator = '\x1f';

// The tag's number when a whole tag starts at `start`; `end` is then just past it.
bool ReadTag(const std::string& line, std::size_t start, std::size_t& number, std::size_t& end) {
    std::size_t at = start + 1;
    if (at >= line.size() || line[at] != '@') return false;
    std::size_t digits = ++at;
    number = 0;
    while (at < line.size() && line[at] >= '0' && line[at] <= '9' && at - digits < 9)
        number = number * 10 + static_cast<std::size_t>(line[at++] - '0');
    if (at == digits || at >= line.size() || line[at] != kSeparator) return false;
    end = at + 1;
    return true;
}

}  // namespace

const TSourcePlace* TLineOrigins::At(std::size_t index) const {
    return index < tags_.size() && tags_[index] >= 0 ? &places_[static_cast<std::size_t>(tags_[index])] : nullptr;
}

std::string TOriginTags::Tag(const TTokenData& token) {
    std::vector<TSourcePlace>& places = origins_.places_;
    places.push_back(TSourcePlace{token.fileName, token.line, token.column});
    return std::string(1, kSeparator) + "@" + std::to_string(places.size() - 1) + kSeparator;
}

TLineOrigins TOriginTags::Strip(std::string& text) {
    std::vector<std::int32_t>& tags = origins_.tags_;
    tags.clear();
    // Taking a tag out only shortens the text, so it is rewritten in place, behind the reading.
    std::size_t kept = 0;
    auto keep = [&](std::size_t from, std::size_t to) {
        if (kept != from) std::copy(text.begin() + from, text.begin() + to, text.begin() + kept);
        kept += to - from;
    };
    std::size_t separator = text.find(kSeparator);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t lineEnd = text.find("\r\n", start);
        lineEnd = lineEnd == std::string::npos ? text.size() : lineEnd + 2;
        std::int32_t tag = -1;
        std::size_t at = start;
        for (; separator < lineEnd; separator = text.find(kSeparator, at)) {
            keep(at, separator);
            std::size_t number = 0, end = 0;
            if (ReadTag(text, separator, number, end) && number < origins_.places_.size()) {
                if (tag < 0) tag = static_cast<std::int32_t>(number);
                at = end;
            } else {
                keep(separator, separator + 1);
                at = separator + 1;
            }
        }
        keep(at, lineEnd);
        tags.push_back(tag);
        start = lineEnd;
    }
    text.resize(kept);
    return std::move(origins_);
}

}  // namespace kelc
