#pragma once
#include "zarn/ErrorCodes.h"

#include <cstddef>
#include <string_view>

namespace zarn {

// A letter or "_", then letters, digits, "_" or "-".
bool HasIdentifierShape(std::string_view text);

// A letter or "_", then letters, digits, ".", "_" or "-", with at most one "->".
bool HasDllSymbolShape(std::string_view text);

// At least two characters, a double quote first and last.
bool IsStringLiteral(std::string_view text);

// An integer operand: its kind (kDecimal, kHex, kAngle, ...) or 0 when the text is no integer;
// `error` is a hard error when a conversion letter is misused.
struct IntegerShape {
    int kind = 0;
    ErrorCode error = kNoError;
};
// `errorFlagSet` tells whether the parse has already recorded a hard error: an "n" or "l" is
// then refused.
IntegerShape ClassifyInteger(std::string_view text, bool errorFlagSet);

// A fraction operand: its kind (kFraction, kFractionAngle, kFractionLinear) or 0, and how many
// leading characters are the number (a final "n" or "l" is cut off).
struct FractionShape {
    int kind = 0;
    std::size_t numberLength = 0;
};
FractionShape ClassifyFraction(std::string_view text);

}  // namespace zarn
