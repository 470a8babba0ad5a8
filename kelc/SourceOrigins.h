#pragma once
#include "kelc/Tokens.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelc {

// Where an emitted line came from in the source, for messages about the assembly text.
struct TSourcePlace {
    std::string fileName;  // empty when the line has no known origin
    std::int32_t line = 0;
    std::int32_t column = 0;
};

// Tags emitted lines with the source place of their statement while the compiler works, and
// takes the tags off once the text is complete. Lines are copied, reordered and extended after
// they are emitted, so the place travels inside the text. A tag is two unit separators around
// "@" and a number, which no source text puts into an emitted line.
class TOriginTags {
public:
    std::string Tag(const TTokenData& token);
    // Removes the tags from `lines`; returns for each line the place of its tag.
    std::vector<TSourcePlace> Strip(std::vector<std::string>& lines) const;

private:
    std::vector<TSourcePlace> places_;
};

}  // namespace kelc
