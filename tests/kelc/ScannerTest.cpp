#include "kelc/Scanner.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

using kelc::TScanner;
using kelc::EScannerError;
using kelc::TTokenType;
using namespace kelc;  // the tt... kind names

struct Tok {
    TTokenType kind;
    std::string text;
    bool operator==(const Tok& o) const { return kind == o.kind && text == o.text; }
};

std::ostream& operator<<(std::ostream& out, const Tok& t) {
    return out << "{" << static_cast<int>(t.kind) << " " << TokenKindName(t.kind) << " '" << t.text << "'}";
}

// Every token up to, not including, the end of the text.
std::vector<Tok> Scan(const std::string& text, kelc::TLookupSymbolEvent lookup = {}) {
    TScanner scanner(text, {}, std::move(lookup));
    std::vector<Tok> tokens;
    while (scanner.CurrentToken().kind != ttEndOfFile) {
        tokens.push_back({scanner.CurrentToken().kind, scanner.CurrentToken().text});
        scanner.NextToken();
    }
    return tokens;
}

using Toks = std::vector<Tok>;

// The message of the error scanning `text` raises, and the current token's position then.
struct Failure {
    std::string message;
    std::int32_t pos = 0, line = 0, column = 0;
    std::string text;
};

Failure ScanFailure(const std::string& text) {
    Failure failure;
    kelc::TPositionEvent hook = [&](TScanner&, kelc::TTokenData& token) {
        failure.pos = token.pos;
        failure.line = token.line;
        failure.column = token.column;
    };
    try {
        TScanner scanner(text, hook);
        while (scanner.CurrentToken().kind != ttEndOfFile) scanner.NextToken();
    } catch (const std::exception& e) {
        failure.message = e.what();
        return failure;
    }
    ADD_FAILURE() << "no error for " << text;
    return failure;
}

kelc::TLookupSymbolEvent KnowOnly(std::set<std::string> names) {
    return [names](std::string_view text, TTokenType& kind) {
        if (names.count(std::string(text)) == 0) return false;
        kind = ttIdentifier;
        return true;
    };
}

TEST(Scanner, KeywordsIgnoreCaseAndKeepTheirText) {
    EXPECT_EQ(Scan("IF While WAIT-FOR-TURN"), (Toks{{ttIf, "IF"}, {ttWhile, "While"}, {ttWaitForTurn, "WAIT-FOR-TURN"}}));
    EXPECT_EQ(Scan("or xor and not inline returns"),
              (Toks{{ttLogicalOr, "or"}, {ttLogicalXor, "xor"}, {ttLogicalAnd, "and"}, {ttTilde, "not"},
                    {ttInline, "inline"}, {ttReturns, "returns"}}));
    EXPECT_EQ(Scan("Mission-Command"), (Toks{{ttMissionCommand, "Mission-Command"}}));
}

TEST(Scanner, DashedIdentifiersSplitUnlessKnown) {
    EXPECT_EQ(Scan("a-b"), (Toks{{ttIdentifier, "a"}, {ttMinus, "-"}, {ttIdentifier, "b"}}));
    EXPECT_EQ(Scan("a-b", KnowOnly({"a-b"})), (Toks{{ttIdentifier, "a-b"}}));
    EXPECT_EQ(Scan("stop-spin-x"), (Toks{{ttIdentifier, "stop"}, {ttMinus, "-"}, {ttSpin, "spin"}, {ttMinus, "-"}, {ttIdentifier, "x"}}));
    EXPECT_EQ(Scan("x-axis", KnowOnly({"x-axis"})), (Toks{{ttIdentifier, "x-axis"}}));
    EXPECT_EQ(Scan("a - b"), (Toks{{ttIdentifier, "a"}, {ttMinus, "-"}, {ttIdentifier, "b"}}));
    EXPECT_EQ(Scan("a -b"), (Toks{{ttIdentifier, "a"}, {ttMinus, "-"}, {ttIdentifier, "b"}}));
    EXPECT_EQ(Scan("a- b"), (Toks{{ttIdentifier, "a"}, {ttMinus, "-"}, {ttIdentifier, "b"}}));
    EXPECT_EQ(Scan("a--b"), (Toks{{ttIdentifier, "a"}, {ttDecrement, "--"}, {ttIdentifier, "b"}}));
    EXPECT_EQ(Scan("turn-1"), (Toks{{ttTurn, "turn"}, {ttMinus, "-"}, {ttInteger, "1"}}));
}

TEST(Scanner, TheHookDecidesTheKindOfAKnownWord) {
    auto hook = [](std::string_view text, TTokenType& kind) {
        if (text != "special") return false;
        kind = ttString;
        return true;
    };
    EXPECT_EQ(Scan("special other", hook), (Toks{{ttString, "special"}, {ttIdentifier, "other"}}));
}

TEST(Scanner, OneLetterIdentifiersAreNeverKeywords) {
    EXPECT_EQ(Scan("i x"), (Toks{{ttIdentifier, "i"}, {ttIdentifier, "x"}}));
}

TEST(Scanner, Numbers) {
    EXPECT_EQ(Scan("$FF $G1 $"), (Toks{{ttHexInteger, "$FF"}, {ttHexInteger, "$G1"}, {ttHexInteger, "$"}}));
    EXPECT_EQ(Scan("0x1F"), (Toks{{ttInteger, "0"}, {ttIdentifier, "x1F"}}));
    EXPECT_EQ(Scan(".5"), (Toks{{ttPeriod, "."}, {ttInteger, "5"}}));
    EXPECT_EQ(Scan("5."), (Toks{{ttInteger, "5"}}));
    EXPECT_EQ(Scan("5.;"), (Toks{{ttInteger, "5"}, {ttSemicolon, ";"}}));
    EXPECT_EQ(Scan("1.25 007"), (Toks{{ttFloat, "1.25"}, {ttInteger, "007"}}));
    Failure failure = ScanFailure("x 1.2.3");
    EXPECT_EQ(failure.message, "Error: Invalid floatpoint number, duplicate '.'.");
    EXPECT_EQ(failure.column, 6);
}

TEST(Scanner, Strings) {
    EXPECT_EQ(Scan("\"a\"\"b\""), (Toks{{ttString, "a\"b"}}));
    EXPECT_EQ(Scan("\"\" \"x y\""), (Toks{{ttString, ""}, {ttString, "x y"}}));
    EXPECT_EQ(Scan("\"// not /* a comment\""), (Toks{{ttString, "// not /* a comment"}}));
    EXPECT_EQ(ScanFailure("\"abc\r\n\"").message, "Error: Unterminated string.");
    EXPECT_EQ(ScanFailure("\"\n").message, "Error: Unterminated string.");
    EXPECT_EQ(ScanFailure("\"abc\rdef\"").message, "Error: Unterminated string.");
    EXPECT_EQ(ScanFailure("\"abc").message, "Error: Unexpected end of file in string.");
}

TEST(Scanner, Comments) {
    EXPECT_EQ(Scan("a/*x*/b"), (Toks{{ttIdentifier, "a"}, {ttIdentifier, "b"}}));
    EXPECT_EQ(Scan("a/* x /* y */ z */b"), (Toks{{ttIdentifier, "a"}, {ttIdentifier, "b"}}));
    EXPECT_EQ(Scan("a/**/b"), (Toks{{ttIdentifier, "a"}, {ttIdentifier, "b"}}));
    EXPECT_EQ(Scan("a// rest\nb"), (Toks{{ttIdentifier, "a"}, {ttIdentifier, "b"}}));
    EXPECT_EQ(Scan("12/*x*/34"), (Toks{{ttInteger, "12"}, {ttInteger, "34"}}));
    EXPECT_EQ(Scan("&/*x*/&"), (Toks{{ttBitAnd, "&"}, {ttBitAnd, "&"}}));
    EXPECT_EQ(Scan("a /* at the end */"), (Toks{{ttIdentifier, "a"}}));
    EXPECT_EQ(Scan("a // at the end"), (Toks{{ttIdentifier, "a"}}));
    EXPECT_EQ(Scan("//\n//\r\n/**///x\n/*a*//*b*/c"), (Toks{{ttIdentifier, "c"}}));
    EXPECT_EQ(ScanFailure("a /* open").message, "Error: Unexpected end of file in comment.");
    EXPECT_EQ(ScanFailure("/* a /* b */").message, "Error: Unexpected end of file in comment.");
    EXPECT_EQ(ScanFailure("/*/").message, "Error: Unexpected end of file in comment.");
}

TEST(Scanner, Operators) {
    EXPECT_EQ(Scan("&&=x"), (Toks{{ttLogicalAndAssign, "&&="}, {ttIdentifier, "x"}}));
    EXPECT_EQ(Scan("<<= >>= << >> <= >= > == = != !"),
              (Toks{{ttShiftLeftAssign, "<<="}, {ttShiftRightAssign, ">>="}, {ttShiftLeft, "<<"}, {ttShiftRight, ">>"},
                    {ttLessEqual, "<="}, {ttGreaterEqual, ">="}, {ttGreater, ">"}, {ttEqual, "=="}, {ttAssign, "="},
                    {ttNotEqual, "!="}, {ttExclamation, "!"}}));
    EXPECT_EQ(Scan("|| ||= | |= ^^ ^^= ^ ^= && & &="),
              (Toks{{ttLogicalOr, "||"}, {ttLogicalOrAssign, "||="}, {ttBitOr, "|"}, {ttBitOrAssign, "|="},
                    {ttLogicalXor, "^^"}, {ttLogicalXorAssign, "^^="}, {ttBitXor, "^"}, {ttBitXorAssign, "^="},
                    {ttLogicalAnd, "&&"}, {ttBitAnd, "&"}, {ttBitAndAssign, "&="}}));
    EXPECT_EQ(Scan("+ += ++ - -= -- * *= / /="),
              (Toks{{ttPlus, "+"}, {ttPlusAssign, "+="}, {ttIncrement, "++"}, {ttMinus, "-"}, {ttMinusAssign, "-="},
                    {ttDecrement, "--"}, {ttStar, "*"}, {ttStarAssign, "*="}, {ttSlash, "/"}, {ttSlashAssign, "/="}}));
    EXPECT_EQ(Scan("(),.:;]{}~"),
              (Toks{{ttOpenParen, "("}, {ttCloseParen, ")"}, {ttComma, ","}, {ttPeriod, "."}, {ttColon, ":"},
                    {ttSemicolon, ";"}, {ttCloseBracket, "]"}, {ttOpenBrace, "{"}, {ttCloseBrace, "}"}, {ttTilde, "~"}}));
}

TEST(Scanner, OtherCharactersAreOneCharacterIdentifiers) {
    EXPECT_EQ(Scan("@%?'`\\"), (Toks{{ttIdentifier, "@"}, {ttIdentifier, "%"}, {ttIdentifier, "?"},
                                    {ttIdentifier, "'"}, {ttIdentifier, "`"}, {ttIdentifier, "\\"}}));
    EXPECT_EQ(Scan("\x01\xe9"), (Toks{{ttIdentifier, "\x01"}, {ttIdentifier, "\xe9"}}));
}

TEST(Scanner, LinearAndAngleLiterals) {
    EXPECT_EQ(Scan("[2]"), (Toks{{ttInteger, "327680"}}));
    EXPECT_EQ(Scan("[ -1.5 ]"), (Toks{{ttInteger, "-245760"}}));
    EXPECT_EQ(Scan("[-/*c*/1]"), (Toks{{ttInteger, "-163840"}}));
    EXPECT_EQ(Scan("<90>"), (Toks{{ttInteger, "16384"}}));
    EXPECT_EQ(Scan("<-90>"), (Toks{{ttInteger, "-16384"}}));
    EXPECT_EQ(Scan("<1>"), (Toks{{ttInteger, "182"}}));
    EXPECT_EQ(Scan("<0.5>"), (Toks{{ttInteger, "91"}}));
    EXPECT_EQ(Scan("<5.>"), (Toks{{ttInteger, "910"}}));
    EXPECT_EQ(Scan("x<5"), (Toks{{ttIdentifier, "x"}, {ttLess, "<"}, {ttInteger, "5"}}));
    EXPECT_EQ(Scan("x < 5 ;"), (Toks{{ttIdentifier, "x"}, {ttLess, "<"}, {ttInteger, "5"}, {ttSemicolon, ";"}}));
    EXPECT_EQ(Scan("a[i]"), (Toks{{ttIdentifier, "a"}, {ttOpenBracket, "["}, {ttIdentifier, "i"}, {ttCloseBracket, "]"}}));
    EXPECT_EQ(Scan("<$10>"), (Toks{{ttLess, "<"}, {ttHexInteger, "$10"}, {ttGreater, ">"}}));
    EXPECT_EQ(Scan("[1 2]"), (Toks{{ttOpenBracket, "["}, {ttInteger, "1"}, {ttInteger, "2"}, {ttCloseBracket, "]"}}));
}

TEST(Scanner, LiteralRoundingIsHalfToEven) {
    // 1/65536 of a linear unit is 2.5 units: rounded to 2; 3.5 units to 4.
    EXPECT_EQ(Scan("[0.0000152587890625]"), (Toks{{ttInteger, "2"}}));
    EXPECT_EQ(Scan("[0.00002136230468750]"), (Toks{{ttInteger, "4"}}));
    EXPECT_EQ(Scan("[-0.0000152587890625]"), (Toks{{ttInteger, "-2"}}));
    EXPECT_EQ(Scan("[-0.00002136230468750]"), (Toks{{ttInteger, "-4"}}));
}

TEST(Scanner, AngleLiteralsAreConvertedInExtendedPrecision) {
    // Exactly 15.5 units in decimal terms; the extended-precision factor 65536/360 lies just below
    // the true quotient, so the product is just below 15.5 (double precision would give 16).
    EXPECT_EQ(Scan("<0.08514404296875>"), (Toks{{ttInteger, "15"}}));
    EXPECT_EQ(Scan("<360>"), (Toks{{ttInteger, "65536"}}));
    EXPECT_EQ(Scan("< -0.5 >"), (Toks{{ttInteger, "-91"}}));
}

TEST(Scanner, LiteralErrors) {
    EXPECT_EQ(ScanFailure("< -x").message, "Error: \"Integer or floatpoint\" expected but \"x\" found.");
    EXPECT_EQ(ScanFailure("<-$5>").message, "Error: Internal error in TScanner.GetOperator('<').");
    EXPECT_EQ(ScanFailure("[-$5]").message, "Error: Internal error in TScanner.GetOperator('[').");
    Failure failure = ScanFailure("[99999999999]");
    EXPECT_EQ(failure.message, "'99999999999' is not a valid integer value");
}

TEST(Scanner, ConversionErrorsAreNoScannerErrors) {
    EXPECT_THROW(TScanner("[3000000000]"), kelc::EConvertError);
    EXPECT_THROW(TScanner("<-x>"), EScannerError);
}

TEST(Scanner, PositionsAreOfTheTokensFirstCharacter) {
    TScanner scanner("ab\r\n  cd\r\r\n\te");
    EXPECT_EQ(scanner.CurrentToken().pos, 1);
    EXPECT_EQ(scanner.CurrentToken().line, 1);
    EXPECT_EQ(scanner.CurrentToken().column, 1);
    EXPECT_EQ(scanner.LookAhead().text, "cd");
    scanner.NextToken();
    EXPECT_EQ(scanner.CurrentToken().pos, 7);
    EXPECT_EQ(scanner.CurrentToken().line, 2);
    EXPECT_EQ(scanner.CurrentToken().column, 3);
    scanner.NextToken();
    EXPECT_EQ(scanner.CurrentToken().text, "e");
    EXPECT_EQ(scanner.CurrentToken().pos, 13);
    EXPECT_EQ(scanner.CurrentToken().line, 3);  // a CR alone ends no line
    EXPECT_EQ(scanner.CurrentToken().column, 2);
}

TEST(Scanner, PositionsAfterCommentsAndLineEnds) {
    TScanner scanner("/* x\r\n y */ a // c\r\n  b");
    EXPECT_EQ(scanner.CurrentToken().pos, 13);
    EXPECT_EQ(scanner.CurrentToken().line, 2);
    EXPECT_EQ(scanner.CurrentToken().column, 7);
    scanner.NextToken();
    EXPECT_EQ(scanner.CurrentToken().text, "b");
    EXPECT_EQ(scanner.CurrentToken().pos, 23);
    EXPECT_EQ(scanner.CurrentToken().line, 3);
    EXPECT_EQ(scanner.CurrentToken().column, 3);
}

TEST(Scanner, EndOfFileIsPositionedAtTheLastCharacterAndRepeats) {
    TScanner scanner("a\r\nb\r\n");
    scanner.NextToken();
    scanner.NextToken();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(scanner.CurrentToken().kind, ttEndOfFile);
        EXPECT_EQ(scanner.CurrentToken().text, "");
        EXPECT_EQ(scanner.CurrentToken().pos, 6);
        EXPECT_EQ(scanner.CurrentToken().line, 2);
        scanner.NextToken();
    }
    TScanner empty("");
    EXPECT_EQ(empty.CurrentToken().kind, ttEndOfFile);
    EXPECT_EQ(empty.LookAhead().kind, ttEndOfFile);
}

TEST(Scanner, ANulCharacterEndsTheText) {
    EXPECT_EQ(Scan(std::string("a b\0c", 5)), (Toks{{ttIdentifier, "a"}, {ttIdentifier, "b"}}));
}

TEST(Scanner, ExpectAndAccept) {
    TScanner scanner("x ; 5");
    EXPECT_FALSE(scanner.Accept(ttComma));
    try {
        scanner.Expect(ttComma);
        ADD_FAILURE();
    } catch (const EScannerError& e) {
        EXPECT_STREQ(e.what(), "Error: \",\" expected but \"x\" found.");
    }
    scanner.Expect(ttIdentifier);
    EXPECT_TRUE(scanner.Accept(ttSemicolon));
    try {
        scanner.Expect(ttColon);
        ADD_FAILURE();
    } catch (const EScannerError& e) {
        EXPECT_STREQ(e.what(), "Error: \":\" expected but \"integer data type\" found.");
    }
    scanner.NextToken();
    try {
        scanner.Accept(ttSemicolon);
        ADD_FAILURE();
    } catch (const EScannerError& e) {
        EXPECT_STREQ(e.what(), "Error: \";\" expected but \"End of File\" found.");
    }
    EXPECT_TRUE(scanner.Accept(ttEndOfFile));
}

TEST(Scanner, ErrorsAtTheCurrentCharacterMoveTheCurrentTokenThere) {
    Failure failure = ScanFailure("a\n  \"abc\n");
    EXPECT_EQ(failure.message, "Error: Unterminated string.");
    EXPECT_EQ(failure.pos, 9);
    EXPECT_EQ(failure.line, 2);
    EXPECT_EQ(failure.column, 7);
}

TEST(Scanner, CurrentTokenShowsTheTokenBeingScannedWhenAnErrorIsRaised) {
    TScanner scanner("a b c \"x");
    EXPECT_EQ(scanner.CurrentToken().text, "a");
    scanner.NextToken();
    ASSERT_EQ(scanner.CurrentToken().text, "b");
    EXPECT_THROW(scanner.NextToken(), EScannerError);  // the look-ahead scan of the string fails
    EXPECT_EQ(scanner.CurrentToken().pos, 8);  // the end of the text: its last character
    EXPECT_EQ(scanner.CurrentToken().kind, ttWhitespace);
}

TEST(Scanner, AHashReachingTheScannerIsAnError) {
    EXPECT_EQ(ScanFailure("a # b").message, "Error: Unexpected character '#'.");
}

TEST(Scanner, ThePositionHookRewritesEveryToken) {
    TScanner scanner("a b", [](TScanner&, kelc::TTokenData& token) {
        token.fileName = "f.kel";
        token.line += 10;
    });
    EXPECT_EQ(scanner.CurrentToken().fileName, "f.kel");
    EXPECT_EQ(scanner.CurrentToken().line, 11);
    EXPECT_EQ(scanner.LookAhead().fileName, "f.kel");
}

}  // namespace
