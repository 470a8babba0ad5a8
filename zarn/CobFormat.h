#pragma once
#include <cstdint>
#include <iterator>

namespace zarn {

// The COB file: an 11-word header, the code words, the DLL link table and the string table
// (each padded to a multiple of 4 bytes), the script code index, the script and piece name
// offsets, and the names. All numbers are 32-bit little-endian.
struct CobHeader {
    std::int32_t version = 7;
    std::int32_t scriptCount = 0;
    std::int32_t pieceCount = 0;
    std::int32_t codeLength = 0;  // in words
    std::int32_t staticVarCount = 0;
    std::int32_t reserved = 0;
    std::int32_t scriptIndexOffset = 0;
    std::int32_t scriptNameOffsetsOffset = 0;
    std::int32_t pieceNameOffsetsOffset = 0;
    std::int32_t codeOffset = 44;
    std::int32_t namesOffset = 0;
};

struct CobHeaderField {
    const char* name;
    std::int32_t CobHeader::*member;
};

// The header in file order: field i is the word at byte 4 * i.
constexpr CobHeaderField kCobHeaderFields[] = {
    {"version", &CobHeader::version},
    {"scriptCount", &CobHeader::scriptCount},
    {"pieceCount", &CobHeader::pieceCount},
    {"codeLength", &CobHeader::codeLength},
    {"staticVarCount", &CobHeader::staticVarCount},
    {"reserved", &CobHeader::reserved},
    {"scriptIndexOffset", &CobHeader::scriptIndexOffset},
    {"scriptNameOffsetsOffset", &CobHeader::scriptNameOffsetsOffset},
    {"pieceNameOffsetsOffset", &CobHeader::pieceNameOffsetsOffset},
    {"codeOffset", &CobHeader::codeOffset},
    {"namesOffset", &CobHeader::namesOffset},
};

constexpr int kCobHeaderWords = static_cast<int>(std::size(kCobHeaderFields));
constexpr int kCobHeaderBytes = kCobHeaderWords * 4;

// The byte offset of a header field, for messages that point at it: FieldOffset(&CobHeader::pieceCount) is 8.
constexpr std::int32_t FieldOffset(std::int32_t CobHeader::*member) {
    for (int i = 0; i < kCobHeaderWords; ++i)
        if (kCobHeaderFields[i].member == member) return 4 * i;
    return -1;
}

// Zero bytes that bring `size` up to a multiple of 4.
constexpr std::int32_t Padding(std::int32_t size) { return (4 - size % 4) % 4; }

}  // namespace zarn
