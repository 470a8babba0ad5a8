#include "kelc/Scanner.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace kelc {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsAlphaNumeric(char c) { return IsLetter(c) || IsDigit(c); }
bool IsBlank(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }
bool IsOperatorChar(char c) {
    static constexpr auto kOperatorChar = [] {
        std::array<bool, 256> table{};
        for (char op : std::string_view("!&()*+,-./:;<=>[]^{}~|")) table[static_cast<unsigned char>(op)] = true;
        return table;
    }();
    return kOperatorChar[static_cast<unsigned char>(c)];
}

constexpr long double kLinearFactor = 163840.0L;
constexpr long double kAngleFactor = 65536.0L / 360.0L;

// A literal text the scanner made (an optional "-" and decimal digits) as a number; it must fit
// in 32 bits.
long long ToInteger(const std::string& text) {
    std::size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
    bool valid = i < text.size();
    long long value = 0;
    for (std::size_t j = i; valid && j < text.size(); ++j) {
        if (!IsDigit(text[j])) valid = false;
        else if ((value = value * 10 + (text[j] - '0')) > 2147483648LL) valid = false;
    }
    if (i == 1) value = -value;
    if (!valid || value > INT_MAX || value < INT_MIN) throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}

// Read by the C library in extended precision (the program keeps the "C" locale, so the point is
// the decimal separator): a string stream per literal costs far more.
long double ToFloat(const std::string& text) {
    char* stop = nullptr;
    errno = 0;
    const long double value = std::strtold(text.c_str(), &stop);
    if (text.empty() || stop != text.c_str() + text.size() || errno == ERANGE)
        throw EConvertError("'" + text + "' is not a valid floating point value");
    return value;
}

// value * factor in extended precision, rounded to nearest with halves to even.
std::string ScaleAndRound(long double value, long double factor) {
    long double scaled = std::nearbyintl(value * factor);
    if (!(scaled >= -9223372036854775808.0L && scaled < 9223372036854775808.0L))
        throw EConvertError("Invalid floating point operation");
    return std::to_string(static_cast<long long>(scaled));
}

}  // namespace

std::string ExpectedButFound(const std::string& expected, const std::string& found) {
    return "Error: \"" + expected + "\" expected but \"" + found + "\" found.";
}

TScanner::TScanner(std::string source, TPositionEvent onPosition, TLookupSymbolEvent onLookupSymbol)
    : source_(std::move(source)),
      onPosition_(std::move(onPosition)),
      onLookupSymbol_(std::move(onLookupSymbol)),
      keywords_(BuildKeywordList()) {
    std::size_t nul = source_.find('\0');
    length_ = static_cast<std::int32_t>(nul == std::string::npos ? source_.size() : nul);
    NextChar();
    Scan(tokens_[current_]);
    current_ ^= 1;
    NextToken();
}

char TScanner::CharAt(std::int32_t index) const {
    return (index >= 1 && index <= length_) ? source_[static_cast<std::size_t>(index - 1)] : '\0';
}

void TScanner::NextChar() {
    // A CR directly followed by LF is read as the LF alone.
    do {
        if (AtEnd()) return;
        if (ch_ == '\n') {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
        ++chIndex_;
        ch_ = CharAt(chIndex_);
        if (chIndex_ == length_) {
            lastLine_ = line_;
            lastColumn_ = column_;
        }
    } while (ch_ == '\r' && NextCh() == '\n');
}

void TScanner::Restore(const ReadState& state) {
    chIndex_ = state.chIndex;
    ch_ = state.ch;
    line_ = state.line;
    column_ = state.column;
}

void TScanner::SkipComments() {
    bool skipped = false;
    if (ch_ == '/' && NextCh() == '/') {
        while (!AtEnd() && ch_ != '\r' && ch_ != '\n') NextChar();
        if (ch_ == '\n') {
            NextChar();
            if (ch_ == '\r') NextChar();
        }
        skipped = true;
    }
    if (ch_ == '/' && NextCh() == '*') {
        int depth = 0;
        do {
            if (AtEnd()) RaiseAtCurrent(tokens_[current_], "Unexpected end of file in comment");
            if (ch_ == '/' && NextCh() == '*') {
                ++depth;
                NextChar();
            } else if (ch_ == '*' && NextCh() == '/') {
                --depth;
                NextChar();
            }
            NextChar();
        } while (depth > 0);
        skipped = true;
    }
    if (skipped) {
        // One blank stands for the comment; the character after it is read next.
        ch_ = ' ';
        --chIndex_;
        --column_;
    }
}

void TScanner::SkipWhitespace() {
    SkipComments();
    while (IsBlank(ch_)) {
        NextChar();
        SkipComments();
    }
}

void TScanner::NextToken() {
    Scan(tokens_[current_]);
    current_ ^= 1;
}

void TScanner::Expect(TTokenType kind) {
    if (CurrentToken().kind == kind) {
        NextToken();
        return;
    }
    ExpectFailed(TokenKindName(kind));
}

void TScanner::ExpectFailed(const std::string& expected) const {
    const TTokenData& token = CurrentToken();
    throw EScannerError(ExpectedButFound(expected, token.kind == ttIdentifier ? token.text : TokenKindName(token.kind)));
}

bool TScanner::Accept(TTokenType kind) {
    if (CurrentToken().kind == ttEndOfFile) Expect(kind);
    if (CurrentToken().kind != kind) return false;
    NextToken();
    return true;
}

void TScanner::SetPosition(TTokenData& token) {
    if (AtEnd()) {
        // A token missing at the end points at the text's last character.
        token.pos = length_;
        token.line = lastLine_;
        token.column = lastColumn_;
    } else {
        token.pos = chIndex_;
        token.line = line_;
        token.column = column_;
    }
    if (onPosition_)
        onPosition_(*this, token);  // which names the file
    else
        token.fileName.clear();
}

void TScanner::RaiseAtCurrent(TTokenData& token, const std::string& message) {
    token.kind = ttWhitespace;
    token.text = AtEnd() ? std::string() : std::string(1, ch_);
    SetPosition(token);
    throw EScannerError("Error: " + message + ".");
}

void TScanner::Scan(TTokenData& token) {
    // The record being filled is the one CurrentToken shows until the scan succeeds.
    SkipWhitespace();
    token.kind = ttWhitespace;
    token.text.clear();
    SetPosition(token);
    if (IsLetter(ch_)) {
        ScanIdentifier(token);
    } else if (IsDigit(ch_) || ch_ == '$') {
        ScanNumber(token);
    } else if (ch_ == '"') {
        ScanString(token);
    } else if (ch_ == '#') {
        // The preprocessor removes every directive; a "#" can only come from a define's value.
        RaiseAtCurrent(token, "Unexpected character '#'");
    } else if (IsOperatorChar(ch_)) {
        GetOperator(token);
    } else if (AtEnd()) {
        token.kind = ttEndOfFile;
    } else {
        token.kind = ttIdentifier;
        Consume(token);
    }
}

void TScanner::ScanIdentifier(TTokenData& token) {
    // The run: alphanumeric characters, and every "-" followed by one. It holds no line end and no
    // comment, so it is measured on the text directly and copied once. After a split the next
    // identifiers start inside the same run and end where it ends, so its end is kept: a long chain
    // of dashed words is measured once, not once per word.
    const std::int32_t start = chIndex_;
    if (start < runStart_ || start >= runEnd_) {
        runStart_ = start;
        runEnd_ = start;
        for (;;) {
            while (IsAlphaNumeric(CharAt(runEnd_))) ++runEnd_;
            if (CharAt(runEnd_) != '-' || !IsAlphaNumeric(CharAt(runEnd_ + 1))) break;
            ++runEnd_;
        }
    }
    std::int32_t end = runEnd_;
    const char* const first = source_.data() + (start - 1);
    const char* const last = source_.data() + (end - 1);
    const char* const dash = std::find(first, last, '-');
    const std::int32_t firstDash = dash == last ? 0 : start + static_cast<std::int32_t>(dash - first);
    std::string_view text(first, static_cast<std::size_t>(end - start));
    TTokenType kind = ttIdentifier;
    if (!LookupSymbol(text, kind) && firstDash != 0) {
        // Back to the first "-"; it is scanned as an operator by the next token.
        end = firstDash;
        text = text.substr(0, static_cast<std::size_t>(firstDash - start));
        LookupSymbol(text, kind);
    }
    SkipRun(end - start);
    token.kind = kind;
    token.text.assign(text);
}

void TScanner::SkipRun(std::int32_t count) {
    chIndex_ += count - 1;
    column_ += count - 1;
    ch_ = CharAt(chIndex_);
    if (chIndex_ == length_) {
        lastLine_ = line_;
        lastColumn_ = column_;
    }
    NextChar();
}

bool TScanner::LookupSymbol(std::string_view text, TTokenType& kind) {
    kind = keywords_.Find(text);
    if (kind != ttIdentifier) return true;
    if (onLookupSymbol_) {
        TTokenType hookKind = ttIdentifier;
        if (onLookupSymbol_(text, hookKind)) {
            kind = hookKind;
            return true;
        }
    }
    return false;
}

void TScanner::ScanNumber(TTokenData& token) {
    token.kind = ttInteger;
    token.text.clear();
    if (ch_ == '$') {
        token.kind = ttHexInteger;
        Consume(token);
        while (IsAlphaNumeric(ch_)) Consume(token);
        return;
    }
    while (IsDigit(ch_) || ch_ == '.') {
        if (ch_ == '.') {
            if (token.kind == ttFloat) RaiseAtCurrent(token, "Invalid floatpoint number, duplicate '.'");
            token.kind = ttFloat;
        }
        Consume(token);
    }
    if (token.kind == ttFloat && token.text.back() == '.') {
        // "5." is the integer 5; the point is consumed all the same.
        token.text.pop_back();
        token.kind = ttInteger;
    }
}

void TScanner::ScanString(TTokenData& token) {
    token.kind = ttString;
    NextChar();
    std::string text;
    for (;;) {
        if (ch_ == '"') {
            NextChar();
            if (ch_ != '"') break;
            text += '"';  // a doubled quote stands for one
            NextChar();
        } else if (ch_ == '\r' || ch_ == '\n') {
            RaiseAtCurrent(token, "Unterminated string");
        } else if (AtEnd()) {
            RaiseAtCurrent(token, "Unexpected end of file in string");
        } else {
            text += ch_;
            NextChar();
        }
    }
    token.text = std::move(text);
}

void TScanner::Consume(TTokenData& token) {
    token.text += ch_;
    NextChar();
}

namespace {

struct TOperatorText {
    const char* text;
    TTokenType kind;
};

// One and two characters, the longer first for each opening character.
constexpr TOperatorText kOperators[] = {
    {"!=", ttNotEqual},    {"*=", ttStarAssign},    {"/=", ttSlashAssign},    {"==", ttEqual},
    {"+=", ttPlusAssign},  {"++", ttIncrement},     {"-=", ttMinusAssign},    {"--", ttDecrement},
    {"&&", ttLogicalAnd},  {"&=", ttBitAndAssign},  {"^^", ttLogicalXor},     {"^=", ttBitXorAssign},
    {"||", ttLogicalOr},   {"|=", ttBitOrAssign},   {"<=", ttLessEqual},      {"<<", ttShiftLeft},
    {">=", ttGreaterEqual}, {">>", ttShiftRight},   {"(", ttOpenParen},       {")", ttCloseParen},
    {",", ttComma},        {".", ttPeriod},         {":", ttColon},           {";", ttSemicolon},
    {"]", ttCloseBracket}, {"{", ttOpenBrace},      {"}", ttCloseBrace},      {"~", ttTilde},
    {"!", ttExclamation},  {"*", ttStar},           {"/", ttSlash},           {"=", ttAssign},
    {"+", ttPlus},         {"-", ttMinus},          {"&", ttBitAnd},          {"^", ttBitXor},
    {"|", ttBitOr},        {">", ttGreater},
};

// The doubled operators that a following "=" turns into an assignment.
constexpr std::pair<TTokenType, TTokenType> kAssigningThirdCharacter[] = {
    {ttLogicalAnd, ttLogicalAndAssign}, {ttLogicalXor, ttLogicalXorAssign}, {ttLogicalOr, ttLogicalOrAssign},
    {ttShiftLeft, ttShiftLeftAssign},   {ttShiftRight, ttShiftRightAssign},
};

const TOperatorText* FindOperator(char first, char second) {
    // Each opening character's operators in table order, so a token costs no search of the table.
    static const auto byFirst = [] {
        std::array<std::vector<const TOperatorText*>, 256> table;
        for (const TOperatorText& op : kOperators) table[static_cast<unsigned char>(op.text[0])].push_back(&op);
        return table;
    }();
    for (const TOperatorText* op : byFirst[static_cast<unsigned char>(first)])
        if (op->text[1] == '\0' || op->text[1] == second) return op;
    return nullptr;
}

}  // namespace

void TScanner::GetOperator(TTokenData& token) {
    // "<" and "[" may open an angle or a distance literal.
    if (ch_ == '<' && NextCh() != '=' && NextCh() != '<') return ScanLiteral(token, '>', kAngleFactor, ttLess);
    if (ch_ == '[') return ScanLiteral(token, ']', kLinearFactor, ttOpenBracket);
    const TOperatorText* op = FindOperator(ch_, NextCh());
    token.kind = op != nullptr ? op->kind : ttIdentifier;  // only operator characters come here
    Consume(token);
    if (op != nullptr && op->text[1] != '\0') Consume(token);
    for (const auto& [doubled, assigning] : kAssigningThirdCharacter) {
        if (token.kind == doubled && ch_ == '=') {
            token.kind = assigning;
            Consume(token);
        }
    }
}

void TScanner::ScanLiteral(TTokenData& token, char closer, long double factor, TTokenType fallback) {
    const char opener = ch_;
    const ReadState atOpener = Save();
    NextChar();
    SkipWhitespace();
    if (IsDigit(ch_) || ch_ == '-') {
        bool negative = false;
        if (ch_ == '-') {
            negative = true;
            NextChar();
            SkipWhitespace();
            if (!IsDigit(ch_) && ch_ != '$')
                throw EScannerError(ExpectedButFound("Integer or floatpoint", AtEnd() ? std::string() : std::string(1, ch_)));
        }
        ScanNumber(token);
        if (token.kind == ttHexInteger)
            RaiseAtCurrent(token, std::string("Internal error in TScanner.GetOperator('") + opener + "')");
        std::string text = negative ? "-" + token.text : token.text;
        long double value = token.kind == ttFloat ? ToFloat(text) : static_cast<long double>(ToInteger(text));
        std::string converted = ScaleAndRound(value, factor);
        SkipWhitespace();
        if (ch_ == closer) {
            NextChar();
            token.kind = ttInteger;
            token.text = converted;
            return;
        }
    }
    // No literal: the opener alone, and scanning goes on right after it.
    Restore(atOpener);
    token.kind = fallback;
    token.text.clear();
    Consume(token);
}

}  // namespace kelc
