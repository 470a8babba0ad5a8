#pragma once
// The vocabulary of KEL: the token kinds of KEL, the token record, the keyword table and the
// display names used in every expected-but-found message.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelc {

// One byte; the numeric values are fixed by the language (messages show them, the compiler
// names kinds by these names). Value 1 is no kind.
enum TTokenType : std::uint8_t {
    ttWhitespace = 0,
    ttEndOfFile = 2,
    ttIdentifier = 3,
    ttSemicolon = 4,
    ttComma = 5,
    ttPeriod = 6,
    ttColon = 7,
    ttOpenParen = 8,
    ttCloseParen = 9,
    ttOpenBracket = 10,
    ttCloseBracket = 11,
    ttAssign = 12,
    ttEqual = 13,
    ttNotEqual = 14,
    ttGreater = 15,
    ttGreaterEqual = 16,
    ttLess = 17,
    ttLessEqual = 18,
    ttPlus = 19,
    ttMinus = 20,
    ttSlash = 21,
    ttStar = 22,
    ttIncrement = 23,
    ttDecrement = 24,
    ttLogicalOr = 25,
    ttLogicalXor = 26,
    ttLogicalAnd = 27,
    ttTilde = 28,
    ttBitOr = 29,
    ttBitXor = 30,
    ttBitAnd = 31,
    ttExclamation = 32,
    ttShiftLeft = 33,
    ttShiftRight = 34,
    ttPlusAssign = 35,
    ttMinusAssign = 36,
    ttSlashAssign = 37,
    ttStarAssign = 38,
    ttLogicalOrAssign = 39,
    ttLogicalXorAssign = 40,
    ttLogicalAndAssign = 41,
    ttBitOrAssign = 42,
    ttBitXorAssign = 43,
    ttBitAndAssign = 44,
    ttShiftLeftAssign = 45,
    ttShiftRightAssign = 46,
    ttInteger = 47,
    ttHexInteger = 48,
    ttFloat = 49,
    ttString = 50,
    ttInline = 51,
    ttReturns = 52,
    ttOpenBrace = 53,
    ttCloseBrace = 54,
    ttStaticVar = 55,
    ttVar = 56,
    ttPiece = 57,
    ttConst = 58,
    ttAsmBlock = 59,
    ttGet = 60,
    ttSet = 61,
    ttSleep = 62,
    ttWaitForTurn = 63,
    ttWaitForMove = 64,
    ttTurn = 65,
    ttMove = 66,
    ttSpin = 67,
    ttStopSpin = 68,
    ttTo = 69,
    ttAround = 70,
    ttAlong = 71,
    ttFrom = 72,
    ttNow = 73,
    ttSpeed = 74,
    ttAccelerate = 75,
    ttDecelerate = 76,
    ttHide = 77,
    ttShow = 78,
    ttCache = 79,
    ttDontCache = 80,
    ttCallScript = 81,
    ttStartScript = 82,
    ttSignal = 83,
    ttSetSignalMask = 84,
    ttExplode = 85,
    ttType = 86,
    ttEmitSfx = 87,
    ttShade = 88,
    ttDontShade = 89,
    ttRand = 90,
    ttAttachUnit = 91,
    ttDropUnit = 92,
    ttMissionCommand = 93,
    ttFor = 94,
    ttIf = 95,
    ttElse = 96,
    ttDo = 97,
    ttWhile = 98,
    ttBreak = 99,
    ttContinue = 100,
    ttReturn = 101,
};

// One token (TTokenData). `pos`, `line` and `column` are 1-based positions in the scanned text
// until the owner's OnPosition hook rewrites them; `fileName` is the hook's to set, empty without one.
struct TTokenData {
    std::string fileName;
    TTokenType kind = ttWhitespace;
    std::string text;
    std::int32_t pos = 0;
    std::int32_t line = 0;
    std::int32_t column = 0;
};

// One keyword (TSymbolData).
struct TSymbolData {
    const char* name;
    TTokenType kind;
};

// The 53 keywords; the order only matters for building the sorted list.
extern const TSymbolData KeywordTable[53];

// The display name of a kind; "Unknown token" followed directly by the value for 1, 93 and
// anything above 101.
std::string TokenKindName(TTokenType kind);

// The keywords sorted without regard to letter case (ASCII), each with its kind.
class TKeywordList {
public:
    // Texts of length 0 or 1 are never looked up; a miss gives ttIdentifier.
    TTokenType Find(std::string_view text) const;
    std::size_t Count() const { return entries_.size(); }
    const TSymbolData& Item(std::size_t index) const { return entries_[index]; }

private:
    friend TKeywordList BuildKeywordList();
    std::vector<TSymbolData> entries_;
    // Every word is looked up, among the few keywords that begin with its first letter: the
    // lower-case names by the lower-case form of that letter.
    std::array<std::vector<std::pair<std::string, TTokenType>>, 256> byFirstLetter_;
    std::size_t longest_ = 0;
};

// A new sorted list of the 53 keywords; duplicates (ignoring letter case) are refused.
TKeywordList BuildKeywordList();

}  // namespace kelc
