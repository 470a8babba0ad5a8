#include "zarn/TokenShapes.h"

#include "zarn/TokenKinds.h"

#include <array>

namespace zarn {
namespace {

constexpr bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexLetter(char c) { return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

}  // namespace

bool HasIdentifierShape(std::string_view text) {
    // Asked of most operands: the characters after the first by a table.
    static constexpr auto kIdentifierChar = [] {
        std::array<bool, 256> table{};
        for (int c = 0; c < 256; ++c) {
            const char ch = static_cast<char>(c);
            table[static_cast<std::size_t>(c)] = IsLetter(ch) || IsDigit(ch) || ch == '_' || ch == '-';
        }
        return table;
    }();
    if (text.empty() || !(IsLetter(text[0]) || text[0] == '_')) return false;
    for (char c : text.substr(1))
        if (!kIdentifierChar[static_cast<unsigned char>(c)]) return false;
    return true;
}

bool HasDllSymbolShape(std::string_view text) {
    if (text.empty() || !(IsLetter(text[0]) || text[0] == '_')) return false;
    bool arrowSeen = false;
    for (std::size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '>') {
            if (text[i - 1] != '-' || arrowSeen) return false;
            arrowSeen = true;
        } else if (!(IsLetter(c) || IsDigit(c) || c == '.' || c == '_' || c == '-')) {
            return false;
        }
    }
    return true;
}

bool IsStringLiteral(std::string_view text) {
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

IntegerShape ClassifyInteger(std::string_view text, bool errorFlagSet) {
    bool hex = false, angle = false, linear = false, hexDigitSeen = false;
    for (char c : text) {
        if (IsDigit(c) || c == '-') continue;
        if (IsHexLetter(c)) {
            hexDigitSeen = true;
            continue;
        }
        // "h" may come once and "n" and "l" exclude each other, so no third conversion letter
        // can ever be counted: "Too many conversions" is never raised.
        if (c == 'h') {
            if (hex) return {0, kConvertedTwice};
            hex = true;
        } else if (c == 'n' || c == 'l') {
            bool& same = (c == 'n') ? angle : linear;
            bool& other = (c == 'n') ? linear : angle;
            if (same) return {0, kConvertedTwice};
            if (other) return {0, kIncompatibleConversions};
            if (errorFlagSet) return {};
            same = true;
        } else {
            return {};
        }
    }
    if (hexDigitSeen && !hex) return {};
    if (hex) return {angle ? kHexAngle : linear ? kHexLinear : kHex, kNoError};
    return {angle ? kAngle : linear ? kLinear : kDecimal, kNoError};
}

FractionShape ClassifyFraction(std::string_view text) {
    bool pointSeen = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (IsDigit(c) || c == '-') continue;
        if (c == 'n' || c == 'l') return {c == 'n' ? kFractionAngle : kFractionLinear, i};
        if (c != '.' || pointSeen) return {};
        pointSeen = true;
    }
    if (!pointSeen) return {};
    return {kFraction, text.size()};
}

}  // namespace zarn
