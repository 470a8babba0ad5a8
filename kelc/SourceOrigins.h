#pragma once
#include "kelc/Tokens.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelc {

// Where an emitted line came from in the source, for messages about the assembly text.
struct TSourcePlace {
    std::string fileName;
    std::int32_t line = 0;
    std::int32_t column = 0;
};

// The source places of an assembly text's lines.
class TLineOrigins {
public:
    // The place of the line with this 0-based index; null when it has none.
    const TSourcePlace* At(std::size_t index) const;
    std::size_t LineCount() const { return tags_.size(); }

private:
    friend class TOriginTags;
    std::vector<TSourcePlace> places_;  // one per tag
    std::vector<std::int32_t> tags_;    // one per line: an index into places_, or -1
};

// Tags emitted lines with the source place of their statement while the compiler works, and
// takes the tags off once the text is complete. Lines are copied, reordered and extended after
// they are emitted, so the place travels inside the text. A tag is two unit separators around
// "@" and a number, which no source text puts into an emitted line.
class TOriginTags {
public:
    std::string Tag(const TTokenData& token);
    // Removes the tags from `text`, whose lines end in CR LF; returns for each line the place of
    // its first tag.
    TLineOrigins Strip(std::string& text);

private:
    TLineOrigins origins_;
};

}  // namespace kelc
