#pragma once
#include <cstdint>
#include <string>

// The little-endian 32-bit word at a byte offset of a COB image, read or overwritten.
std::int32_t WordAt(const std::string& bytes, std::size_t offset);
void SetWord(std::string& bytes, std::size_t offset, std::int32_t value);
