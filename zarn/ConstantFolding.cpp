#include "zarn/ConstantFolding.h"

#include "zarn/NumberValues.h"
#include "zarn/TokenKinds.h"

#include <cstdint>
#include <limits>
#include <string>

namespace zarn {
namespace {

using Value = std::optional<std::int32_t>;

std::int32_t Wrap(std::int64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

// The value a statement "pushc <number>;" starting at `p` pushes, as code generation will emit it.
// Names are never folded: what they stand for is not a number the program computes with.
Value PushedNumber(const TokenList& tokens, std::size_t p) {
    if (tokens[p].kind != kPushc || tokens[p + 2].kind != kSemicolon) return std::nullopt;
    std::int32_t value = 0;
    if (!NumberWord(tokens[p + 1].kind, tokens.Text(p + 1), value)) return std::nullopt;
    return value;
}

}  // namespace

Value BinaryResult(int kind, std::int32_t a, std::int32_t b) {
    const auto ua = static_cast<std::uint32_t>(a);
    switch (kind) {
        case kAdd: return Wrap(std::int64_t{a} + b);
        case kSub: return Wrap(std::int64_t{a} - b);
        case kMul: return Wrap(std::int64_t{a} * b);
        case kDiv:
            if (b == 0 || (a == std::numeric_limits<std::int32_t>::min() && b == -1)) return std::nullopt;
            return a / b;
        case kAnd: return a & b;
        case kOr: return a | b;
        case kXor: return a ^ b;
        case kShl: return Wrap(ua << (b & 31));
        case kSar: return a >> (b & 31);
        case kSetl: return a < b;
        case kSetle: return a <= b;
        case kSetg: return a > b;
        case kSetge: return a >= b;
        case kSete: return a == b;
        case kSetne: return a != b;
        case kLand: return a != 0 && b != 0;
        case kLor: return a != 0 || b != 0;
        case kLxor: return (a == 1) != (b == 1);
        default: return std::nullopt;
    }
}

Value UnaryResult(int kind, std::int32_t a) {
    if (kind == kNot) return ~a;
    if (kind == kNeg) return a == 0;
    return std::nullopt;
}

namespace {

// The operator token `t` becomes the pushed result, the ";" before it the "pushc", and the
// tokens from `first` up to the result's operand emit nothing. False, with nothing changed, when
// the token list has no room left for the result's text.
bool Replace(TokenList& tokens, std::size_t first, std::size_t t, std::int32_t result) {
    if (!tokens.SetText(t, std::to_string(result))) return false;
    for (std::size_t i = first; i + 1 < t; ++i) tokens[i].kind = kStructural;
    tokens[t - 1].kind = kPushc;
    tokens[t].kind = kDecimal;
    return true;
}

}  // namespace

// A fold rewrites only the tokens up to the operator and leaves no operator among them, so a new
// pattern can only end further on: one walk from the start finds every fold that scanning again
// from the start after each fold would.
int FoldConstants(TokenList& tokens) {
    int bytesSaved = 0;
    for (std::size_t t = 3; t < tokens.size(); ++t) {
        Value b = PushedNumber(tokens, t - 3);
        if (!b) continue;
        Value a = t >= 6 ? PushedNumber(tokens, t - 6) : std::nullopt;
        if (Value r = a ? BinaryResult(tokens[t].kind, *a, *b) : std::nullopt) {
            if (Replace(tokens, t - 6, t, *r)) bytesSaved += 12;  // five words become two
        } else if (Value u = UnaryResult(tokens[t].kind, *b)) {
            if (Replace(tokens, t - 3, t, *u)) bytesSaved += 4;  // three words become two
        }
    }
    return bytesSaved;
}

}  // namespace zarn
