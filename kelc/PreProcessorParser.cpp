#include "kelc/PreProcessorParser.h"

#include <array>

namespace kelc {
namespace {

constexpr bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Character classes by byte value: most of a script is read a character at a time.
enum : unsigned char { kIdentifierChar = 1, kEndsOtherText = 2 };

constexpr auto kClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        const bool letter = IsAsciiLetter(ch) || ch == '_' || ch == '-';
        classes[static_cast<std::size_t>(c)] = static_cast<unsigned char>(
            (letter || (ch >= '0' && ch <= '9') ? kIdentifierChar : 0) |
            (letter || ch == '"' || ch == '#' || ch == '/' ? kEndsOtherText : 0));
    }
    return classes;
}();

bool Is(char c, unsigned char charClass) { return (kClasses[static_cast<unsigned char>(c)] & charClass) != 0; }

}  // namespace

void TPreProcessorParser::SetText(std::string_view text) {
    text_ = text;
    std::size_t nul = text_.find('\0');
    end_ = nul == std::string_view::npos ? text_.size() : nul;
    tokenPos_ = 0;
    tokenLength_ = 0;
    lineStart_ = 0;
    line_ = 1;
    tokenLine_ = 1;
    tokenColumn_ = 1;
    if (OnNewLine) OnNewLine(*this, 1, 1, 0);
    Next();
}

std::size_t TPreProcessorParser::FindLineEnd(std::size_t from) const {
    while (from < end_ && text_[from] != '\r' && text_[from] != '\n') ++from;
    return from;
}

void TPreProcessorParser::NewLine(std::size_t offset) {
    ++line_;
    lineStart_ = static_cast<std::int32_t>(offset);
    if (OnNewLine) OnNewLine(*this, line_, 1, lineStart_);
}

void TPreProcessorParser::CountLineEnds(std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (text_[i] == '\n') {
            NewLine(i + 1);
        } else if (text_[i] == '\r') {
            if (i + 1 < to && text_[i + 1] == '\n') ++i;
            NewLine(i + 1);
        }
    }
}

void TPreProcessorParser::Next() {
    const std::size_t start = static_cast<std::size_t>(tokenPos_ + tokenLength_);
    tokenPos_ = static_cast<std::int32_t>(start);
    tokenLine_ = line_;
    tokenColumn_ = tokenPos_ - lineStart_ + 1;
    const char c = At(start);
    std::size_t stop = start;
    tokenType_ = ptText;
    if (start >= end_) {
        tokenType_ = ptEndOfText;
    } else if (c == '\n' || c == '\r') {
        stop = start + 1;
        if (c == '\r' && At(stop) == '\n') ++stop;
        CountLineEnds(start, stop);
    } else if (c == '"') {
        std::size_t close = text_.find('"', start + 1);
        stop = (close != std::string_view::npos && close < end_) ? close + 1 : FindLineEnd(start + 1);
        CountLineEnds(start, stop);
    } else if (c == '#') {
        tokenType_ = ptDirective;
        stop = FindLineEnd(start);
    } else if (IsAsciiLetter(c) || c == '_' || c == '-') {
        tokenType_ = ptIdentifier;
        while (stop < end_ && Is(text_[stop], kIdentifierChar)) ++stop;
    } else if (c == '/' && At(start + 1) == '*') {
        // The opener's "*" may serve as the closer's: "/*/" is a whole comment.
        std::size_t close = text_.find("*/", start + 1);
        stop = (close != std::string_view::npos && close + 2 <= end_) ? close + 2 : end_;
        CountLineEnds(start, stop);
    } else if (c == '/' && At(start + 1) == '/') {
        stop = FindLineEnd(start);
    } else if (c == '/') {
        stop = start + 1;
    } else {
        while (stop < end_) {
            const char d = text_[stop];
            if (Is(d, kEndsOtherText)) break;
            ++stop;
            if (d == '\n' || (d == '\r' && At(stop) != '\n')) NewLine(stop);
        }
    }
    tokenLength_ = static_cast<std::int32_t>(stop - start);
    tokenText_ = text_.substr(start, stop - start);
    if (tokenType_ == ptIdentifier && OnIdentifier && OnIdentifier(*this, tokenText_, replacement_))
        tokenText_ = replacement_;
}

}  // namespace kelc
