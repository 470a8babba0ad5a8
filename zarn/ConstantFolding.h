#pragma once
#include "zarn/TokenList.h"

#include <cstdint>
#include <optional>

namespace zarn {

// Folds constant arithmetic on the classified tokens: "pushc A; pushc B;" followed by a binary
// operator, or "pushc A;" followed by "not" or "neg", becomes one "pushc" of the result. Folded
// tokens stay in the list and emit nothing. Returns the bytes of code saved.
int FoldConstants(TokenList& tokens);

// What a two-operand instruction of this token kind computes from the value pushed first (a) and
// the one pushed second (b), in 32-bit two's complement; nothing for a kind that is no such
// instruction and for a division the engine cannot represent (by zero, or the smallest number
// by -1), which is left to run time.
std::optional<std::int32_t> BinaryResult(int kind, std::int32_t a, std::int32_t b);

// "not" (the bitwise complement) and "neg" (1 for zero, else 0); nothing for other kinds.
std::optional<std::int32_t> UnaryResult(int kind, std::int32_t a);

}  // namespace zarn
