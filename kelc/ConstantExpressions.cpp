// Compile-time evaluation of constant expressions ("const" values and "if" directives). All
// logical and bitwise operators share the loosest level; arithmetic is checked for overflow.
#include "kelc/CompileError.h"
#include "kelc/KELCompiler.h"
#include "kelc/NestingGuard.h"

#include <cstdint>
#include <limits>

namespace kelc {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

// Operators that test truth look at the lowest byte only.
bool IsTrue(std::int32_t value) { return (value & 0xFF) != 0; }

std::int32_t Checked(std::int64_t value) {
    if (value < kMin || value > kMax) throw ECompileError("Integer overflow");
    return static_cast<std::int32_t>(value);
}

TTokenType Kind(const TScanner& scanner) { return scanner.CurrentToken().kind; }

}  // namespace

std::int32_t ConvertIntegerLiteral(const std::string& text) {
    // Angle and linear literals arrive converted, possibly negative.
    const bool negative = !text.empty() && text[0] == '-';
    const std::string unsigned_ = negative ? text.substr(1) : text;
    const bool hex = !unsigned_.empty() && unsigned_[0] == '$';
    const std::string digits = hex ? unsigned_.substr(1) : unsigned_;
    const int base = hex ? 16 : 10;
    if (digits.empty()) throw ECompileError("'" + text + "' is not a valid integer value");
    std::uint64_t value = 0;
    const std::uint64_t limit = negative ? static_cast<std::uint64_t>(-kMin) : static_cast<std::uint64_t>(kMax);
    bool tooLarge = false;
    for (char c : digits) {
        int digit = (c >= '0' && c <= '9')   ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                             : 99;
        if (digit >= base) throw ECompileError("'" + text + "' is not a valid integer value");
        if (!tooLarge) value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        tooLarge = tooLarge || value > limit;
    }
    if (tooLarge) throw ECompileError("Range check error");
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value));
}

std::int32_t TKELCompiler::EvaluateConstant(TScanner& scanner) { return ConstLogical(scanner); }

std::int32_t TKELCompiler::EvaluateConstExpression(const std::string& text) {
    std::string expanded;
    {
        TPreProcessor preprocessor;
        preprocessor.OnOtherDirective = [this](TPreProcessor& inner, const std::string& name,
                                               const std::string& argument) {
            return OnOtherDirective(inner, name, argument);
        };
        preprocessor.MainText = text;
        preprocessor.Preprocess("", expanded);
    }
    TScanner scanner(expanded, {}, [this](std::string_view word, TTokenType& kind) {
        return OnLookupSymbol(word, kind);
    });
    return EvaluateConstant(scanner);
}

std::int32_t TKELCompiler::ConstLogical(TScanner& scanner) {
    std::int32_t value = ConstEquality(scanner);
    while (Kind(scanner) != ttEndOfFile) {
        if (scanner.Accept(ttLogicalOr)) {
            std::int32_t right = ConstEquality(scanner);
            value = IsTrue(value) || IsTrue(right) ? 1 : 0;
        } else if (scanner.Accept(ttLogicalXor)) {
            value = ((value & 0xFF) ^ (ConstEquality(scanner) & 0xFF)) & 127;
        } else if (scanner.Accept(ttLogicalAnd)) {
            std::int32_t right = ConstEquality(scanner);
            value = IsTrue(value) && IsTrue(right) ? 1 : 0;
        } else if (scanner.Accept(ttBitOr)) {
            value |= ConstEquality(scanner);
        } else if (scanner.Accept(ttBitXor)) {
            value ^= ConstEquality(scanner);
        } else if (scanner.Accept(ttBitAnd)) {
            value &= ConstEquality(scanner);
        } else {
            break;
        }
    }
    return value;
}

std::int32_t TKELCompiler::ConstEquality(TScanner& scanner) {
    std::int32_t value = ConstRelation(scanner);
    TTokenType op = Kind(scanner);
    if (op != ttEqual && op != ttNotEqual) return value;
    scanner.Expect(op);
    std::int32_t right = ConstRelation(scanner);
    return (op == ttEqual) == (value == right) ? 1 : 0;
}

std::int32_t TKELCompiler::ConstRelation(TScanner& scanner) {
    std::int32_t value = ConstShift(scanner);
    TTokenType op = Kind(scanner);
    if (op != ttGreater && op != ttGreaterEqual && op != ttLess && op != ttLessEqual) return value;
    scanner.Expect(op);
    std::int32_t right = ConstShift(scanner);
    switch (op) {
        case ttGreater: return value > right ? 1 : 0;
        case ttGreaterEqual: return value >= right ? 1 : 0;
        case ttLess: return value < right ? 1 : 0;
        default: return value <= right ? 1 : 0;
    }
}

std::int32_t TKELCompiler::ConstShift(TScanner& scanner) {
    std::int32_t value = ConstAdditive(scanner);
    if (!enableExtensions_) return value;
    for (;;) {
        TTokenType op = Kind(scanner);
        if (op != ttShiftLeft && op != ttShiftRight) return value;
        scanner.Expect(op);
        std::int32_t right = ConstAdditive(scanner);
        if (op == ttShiftLeft) {
            value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) << (right & 31));
        } else {
            if (static_cast<std::uint32_t>(right) > 255) throw ECompileError("Range check error");
            value >>= (right & 31);
        }
    }
}

std::int32_t TKELCompiler::ConstAdditive(TScanner& scanner) {
    std::int32_t value = ConstMultiplicative(scanner);
    for (;;) {
        TTokenType op = Kind(scanner);
        if (op != ttPlus && op != ttMinus) return value;
        scanner.Expect(op);
        std::int64_t right = ConstMultiplicative(scanner);
        value = Checked(op == ttPlus ? value + right : value - right);
    }
}

std::int32_t TKELCompiler::ConstMultiplicative(TScanner& scanner) {
    std::int32_t value = ConstUnary(scanner);
    for (;;) {
        TTokenType op = Kind(scanner);
        if (op != ttSlash && op != ttStar) return value;
        scanner.Expect(op);
        std::int64_t right = ConstUnary(scanner);
        if (op == ttStar) {
            value = Checked(value * right);
        } else {
            if (right == 0) throw ECompileError("Division by zero");
            value = Checked(value / right);
        }
    }
}

std::int32_t TKELCompiler::ConstUnary(TScanner& scanner) {
    TTokenType op = Kind(scanner);
    if (op != ttMinus && op != ttTilde && op != ttExclamation) return ConstPrimary(scanner);
    scanner.Expect(op);
    std::int32_t value = ConstPrimary(scanner);
    if (op == ttMinus) return Checked(-static_cast<std::int64_t>(value));
    // Kept as scripts rely on them, though they look swapped: "~" keeps the low seven bits and
    // flips the lowest, "!" flips all 32.
    if (op == ttTilde) return (value & 127) ^ 1;
    return ~value;
}

std::int32_t TKELCompiler::ConstPrimary(TScanner& scanner) {
    const TTokenData& token = scanner.CurrentToken();
    switch (token.kind) {
        case ttIdentifier: {
            const std::string name = token.text;
            bool namesScope = false;
            TIdent* ident = FindIdent(name, namesScope);
            if (ident == nullptr) {
                ident = &DeclareUndeclared(name);
            } else if (ident->Kind == ikLocalVariable || ident->Kind == ikStaticVariable) {
                AddMessage(svFatalError, "Constant expression expected, but found a varaible " + ident->Name);
            }
            scanner.NextToken();
            return ident->Value;
        }
        case ttOpenParen: {
            NestingGuard nesting(*this, expressionDepth_, "Expression nested too deeply");
            scanner.NextToken();
            std::int32_t value = ConstLogical(scanner);
            scanner.Expect(ttCloseParen);
            return value;
        }
        case ttInteger:
        case ttHexInteger: {
            std::int32_t value = ConvertIntegerLiteral(token.text);
            scanner.NextToken();
            return value;
        }
        case ttFloat:
            AddMessage(svError, "Floatpoint values are not permitted in arbitrary locations " + token.text);
            scanner.NextToken();
            return 0;
        default:
            throw ECompileError("Unknown token: " + TokenKindName(token.kind));
    }
}

}  // namespace kelc
