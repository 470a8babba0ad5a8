#pragma once
#include <cstdint>
#include <string_view>

namespace zarn {

// The text read as a signed 32-bit number in base 10 or 16: optional leading white space and
// sign, digits up to the first non-digit of the base (base 16 accepts a "0x" prefix); values
// beyond the range saturate at its ends.
std::int32_t ReadInteger(std::string_view text, int base);

// The text's leading decimal fraction (digits, "-" and one "."); 0 when there is none.
double ReadFraction(std::string_view text);

// Truncated toward zero; out-of-range values saturate, NaN gives 0.
std::int32_t TruncateToInt32(double value);

// Degrees to angle units: (v * 65536) / 360 with a wrapping 32-bit product.
std::int32_t AngleUnits(std::int32_t degrees);

// Distance to linear units: v * 163840, wrapping at 32 bits.
std::int32_t LinearUnits(std::int32_t distance);

// The code word of a number operand of the given kind (kDecimal ... kFractionLinear);
// false when the kind is no number kind.
bool NumberWord(int kind, std::string_view text, std::int32_t& word);

}  // namespace zarn
