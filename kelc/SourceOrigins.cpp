#include "kelc/SourceOrigins.h"

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

TLineOrigins TOriginTags::Strip(std::vector<std::string>& lines) {
    std::vector<std::int32_t>& tags = origins_.tags_;
    tags.assign(lines.size(), -1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        std::size_t start = line.find(kSeparator);
        if (start == std::string::npos) continue;
        std::string stripped = line.substr(0, start);
        while (start != std::string::npos) {
            std::size_t number = 0, end = 0;
            if (ReadTag(line, start, number, end) && number < origins_.places_.size()) {
                if (tags[i] < 0) tags[i] = static_cast<std::int32_t>(number);
            } else {
                end = start + 1;
                stripped += kSeparator;
            }
            std::size_t next = line.find(kSeparator, end);
            stripped.append(line, end, next == std::string::npos ? std::string::npos : next - end);
            start = next;
        }
        line = std::move(stripped);
    }
    return std::move(origins_);
}

}  // namespace kelc
