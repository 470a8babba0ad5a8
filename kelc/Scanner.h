#pragma once
// TScanner turns the preprocessed text into tokens, with one token of
// look-ahead. It knows nothing of files: positions are 1-based indexes into its own text, and the
// owner's OnPosition hook may map them to a file, line and column (through TLineInfoList).
#include "kelc/Tokens.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kelc {

// Lexical errors; the message reads "Error: " + text + ".".
class EScannerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A number text that does not convert, reported as "'%s' is not a valid
// integer value" (not an EScannerError).
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TScanner;

// Called for every token once its position is recorded; may rewrite fileName, line, column, pos.
using TPositionEvent = std::function<void(TScanner& scanner, TTokenData& token)>;
// Called with a word that is no keyword; returns true when the owner knows it (it may set kind).
// The word is a view into the scanned text, so a long dashed chain is never copied to ask.
using TLookupSymbolEvent = std::function<bool(std::string_view text, TTokenType& kind)>;

class TScanner {
public:
    // Scans the first two tokens at once; lexical errors in them are raised from here.
    explicit TScanner(std::string source, TPositionEvent onPosition = {}, TLookupSymbolEvent onLookupSymbol = {});
    TScanner(const TScanner&) = delete;
    TScanner& operator=(const TScanner&) = delete;

    const std::string& Source() const { return source_; }
    // While a token is being scanned this is the record being filled, so a lexical error leaves
    // the offending position here.
    const TTokenData& CurrentToken() const { return tokens_[current_]; }
    const TTokenData& LookAhead() const { return tokens_[current_ ^ 1]; }

    // CurrentToken becomes the former look-ahead; a new look-ahead is scanned. At the end every
    // call gives ttEndOfFile again.
    void NextToken();
    // Moves on when the current token has the kind, else raises the expected-but-found error.
    void Expect(TTokenType kind);
    // Raises the expected-but-found error for something that is no token kind ("expression").
    [[noreturn]] void ExpectFailed(const std::string& expected) const;
    // At the end of the text: Expect(kind) first. Then moves on and returns true when the
    // current token has the kind, else returns false.
    bool Accept(TTokenType kind);

private:
    struct ReadState {
        std::int32_t chIndex;
        char ch;
        std::int32_t line;
        std::int32_t column;
    };

    char CharAt(std::int32_t index) const;  // 1-based; NUL outside the text
    char NextCh() const { return CharAt(chIndex_ + 1); }
    bool AtEnd() const { return chIndex_ > length_; }
    void NextChar();
    ReadState Save() const { return {chIndex_, ch_, line_, column_}; }
    void Restore(const ReadState& state);

    void SkipComments();
    void SkipWhitespace();
    void Scan(TTokenData& token);
    void SetPosition(TTokenData& token);
    [[noreturn]] void RaiseAtCurrent(TTokenData& token, const std::string& message);
    void ScanIdentifier(TTokenData& token);
    // Moves past `count` (at least 1) characters from ch_ that hold no line end.
    void SkipRun(std::int32_t count);
    bool LookupSymbol(std::string_view text, TTokenType& kind);
    void ScanNumber(TTokenData& token);
    void ScanString(TTokenData& token);
    void GetOperator(TTokenData& token);
    void Consume(TTokenData& token);
    void ScanLiteral(TTokenData& token, char closer, long double factor, TTokenType fallback);

    std::string source_;
    std::int32_t length_ = 0;   // up to the first NUL, which ends the text like its real end
    std::int32_t chIndex_ = 0;  // 1-based index of ch_; length_ + 1 once the text is exhausted
    std::int32_t line_ = 1;
    std::int32_t column_ = 0;
    char ch_ = '\0';
    std::int32_t runStart_ = 0;  // the last identifier run measured, [runStart_, runEnd_)
    std::int32_t runEnd_ = 0;
    std::int32_t lastLine_ = 1;  // line and column of the text's last character
    std::int32_t lastColumn_ = 1;
    TTokenData tokens_[2];
    int current_ = 0;
    TPositionEvent onPosition_;
    TLookupSymbolEvent onLookupSymbol_;
    TKeywordList keywords_;
};

// The expected-but-found message of Expect: Error: "<expected>" expected but "<found>" found.
std::string ExpectedButFound(const std::string& expected, const std::string& found);

}  // namespace kelc
