#pragma once
#include <cstdint>
#include <string>

// A random assembly text that zarn accepts: declarations with names that clash across lists,
// procedures with locals, every kind of statement, instructions split over "ddw" statements
// with labels between them, jumps, DLL link symbols, strings and arbitrary data words.
std::string RandomProgram(std::uint32_t seed);
