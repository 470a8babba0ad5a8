#include "tests/support/CobWords.h"

std::int32_t WordAt(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes.at(offset + i));
    return static_cast<std::int32_t>(value);
}

void SetWord(std::string& bytes, std::size_t offset, std::int32_t value) {
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<char>((bits >> (8 * i)) & 0xFF);
}
