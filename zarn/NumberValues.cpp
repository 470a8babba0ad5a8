#include "zarn/NumberValues.h"

#include "zarn/TokenKinds.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zarn {
namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

std::int32_t Wrap(std::int64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

}  // namespace

std::int32_t ReadInteger(std::string_view text, int base) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (base == 16 && i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        DigitValue(text[i + 2]) < 16)
        i += 2;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
        magnitude = magnitude * base + DigitValue(text[i]);
        if (magnitude > limit) magnitude = limit;  // saturate, and keep the product small
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

double ReadFraction(std::string_view text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return value;
}

std::int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::int32_t AngleUnits(std::int32_t degrees) { return Wrap(static_cast<std::int64_t>(degrees) * 65536) / 360; }

std::int32_t LinearUnits(std::int32_t distance) { return Wrap(static_cast<std::int64_t>(distance) * 163840); }

bool NumberWord(int kind, std::string_view text, std::int32_t& word) {
    switch (kind) {
        case kDecimal: word = ReadInteger(text, 10); return true;
        case kHex: word = ReadInteger(text, 16); return true;
        case kAngle: word = AngleUnits(ReadInteger(text, 10)); return true;
        case kHexAngle: word = AngleUnits(ReadInteger(text, 16)); return true;
        case kLinear: word = LinearUnits(ReadInteger(text, 10)); return true;
        case kHexLinear: word = LinearUnits(ReadInteger(text, 16)); return true;
        case kFraction: word = TruncateToInt32(ReadFraction(text)); return true;
        case kFractionAngle: word = TruncateToInt32(ReadFraction(text) * 182.04444444444445); return true;
        case kFractionLinear: word = TruncateToInt32(ReadFraction(text) * 163840); return true;
        default: return false;
    }
}

}  // namespace zarn
