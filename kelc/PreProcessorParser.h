#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kelc {

enum TPreProcessorTokenType : std::uint8_t { ptEndOfText = 0, ptIdentifier = 1, ptText = 2, ptDirective = 3 };

// The preprocessor's own small tokenizer: identifiers (letters, digits, "_" and "-"), directives
// ("#" to the line end), strings, comments (not nested), line ends and other text.
class TPreProcessorParser {
public:
    // Called for every line end with the new line's number, column 1 and the offset after it.
    using TNewLineEvent = std::function<void(TPreProcessorParser&, std::int32_t line, std::int32_t column, std::int32_t offset)>;
    // Called for every identifier; returns true when it fills in a replacement, which then becomes
    // TokenText (TokenLength is unchanged).
    using TIdentifierEvent =
        std::function<bool(TPreProcessorParser&, std::string_view identifier, std::string& replacement)>;

    TNewLineEvent OnNewLine;
    TIdentifierEvent OnIdentifier;

    // Starts on the text (reporting line 1 at offset 0) and reads the first token. The text is
    // read where it is: it must stay unchanged while the parser is used.
    void SetText(std::string_view text);
    void Next();

    std::string_view Text() const { return text_; }
    // A view into the text, or into a define's replacement; valid until the next token.
    std::string_view TokenText() const { return tokenText_; }
    TPreProcessorTokenType TokenType() const { return tokenType_; }
    std::int32_t TokenPos() const { return tokenPos_; }  // 0-based offset in Text
    std::int32_t TokenLength() const { return tokenLength_; }
    std::int32_t Line() const { return tokenLine_; }      // 1-based, of the token's first character
    std::int32_t Column() const { return tokenColumn_; }  // 1-based, of the token's first character

private:
    char At(std::size_t index) const { return index < end_ ? text_[index] : '\0'; }
    std::size_t FindLineEnd(std::size_t from) const;
    void CountLineEnds(std::size_t from, std::size_t to);
    void NewLine(std::size_t offset);

    std::string_view text_;
    std::size_t end_ = 0;  // the first NUL, or the text's length
    std::string_view tokenText_;
    std::string replacement_;  // what OnIdentifier made of an identifier; keeps its buffer
    TPreProcessorTokenType tokenType_ = ptEndOfText;
    std::int32_t lineStart_ = 0;
    std::int32_t tokenLength_ = 0;
    std::int32_t line_ = 1;
    std::int32_t tokenLine_ = 1;
    std::int32_t tokenColumn_ = 1;
    std::int32_t tokenPos_ = 0;
};

}  // namespace kelc
