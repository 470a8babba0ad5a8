#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace cobdump {

struct LinkText {
    std::int32_t offset = 0;  // where the text starts in its table
    std::string text;
};

struct LinkTable {
    std::int32_t start = 0;  // where the table starts among the link bytes
    std::int32_t size = 0;   // without its padding
    std::vector<LinkText> texts;

    // The text starting at `offset` in this table, or null.
    const LinkText* TextAt(std::int64_t offset) const;
};

// The file does not say where the DLL table ends and the string table begins. The DLL table is
// taken as the longest run of distinct DLL link symbols at the start whose first uses as "pushc"
// operands (byte distances from the first code word) come in table order, as "invoke" makes
// them; the string table is the rest, without its padding.
struct LinkTables {
    LinkTable dll;
    LinkTable strings;
};
LinkTables SplitLinkTables(const std::string& linkBytes, std::int64_t codeBytes,
                           const std::vector<std::int32_t>& pushedConstants);

}  // namespace cobdump
