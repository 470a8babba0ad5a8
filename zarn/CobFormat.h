#pragma once
#include <cstdint>

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

constexpr int kCobHeaderWords = 11;
constexpr int kCobHeaderBytes = kCobHeaderWords * 4;

// Zero bytes that bring `size` up to a multiple of 4.
constexpr std::int32_t Padding(std::int32_t size) { return (4 - size % 4) % 4; }

}  // namespace zarn
