#include "zarn/Tokenizer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace zarn {
namespace {

enum CharClass : unsigned char { kTokenChar, kWhiteSpace, kSeparator, kSlash };

constexpr std::array<CharClass, 256> kClasses = [] {
    std::array<CharClass, 256> classes{};
    for (unsigned char c : std::string_view(" \t\n\v\f\r")) classes[c] = kWhiteSpace;
    for (unsigned char c : std::string_view(";,:'")) classes[c] = kSeparator;
    classes['/'] = kSlash;
    return classes;
}();

CharClass ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }

// Walks the text from `begin` and hands each token to `sink`: Add(start, length, line) for a new
// token, Extend(characters, line) for more characters of the last one (a token continues across a
// comment or a dropped "/").
template <class Sink>
void Scan(std::string_view input, std::size_t begin, Sink& sink) {
    bool open = false;  // whether the last token may still grow
    // A text of nothing but line feeds ends on line 2^31, but a line that holds a token is below it.
    std::int64_t line = 1;
    for (std::size_t i = begin; i < input.size(); ++i) {
        switch (ClassOf(input[i])) {
            case kSlash:
                if (i + 1 < input.size() && input[i + 1] == '/') {
                    // The comment's line feed is counted but does not end the token.
                    i = std::min(input.find('\n', i), input.size());
                    if (i < input.size()) ++line;
                }
                break;
            case kWhiteSpace:
                open = false;
                if (input[i] == '\n') ++line;
                break;
            case kSeparator:
                if (!open) sink.Add(i, 0, line);
                sink.Add(i, 1, line);
                open = false;
                break;
            case kTokenChar: {
                // The run up to the next character of another class, taken at once.
                std::size_t end = i + 1;
                while (end < input.size() && ClassOf(input[end]) == kTokenChar) ++end;
                if (open)
                    sink.Extend(input.substr(i, end - i), line);
                else
                    sink.Add(i, end - i, line);
                open = true;
                i = end - 1;
                break;
            }
        }
    }
}

struct TokenRecorder {
    void Add(std::size_t start, std::size_t length, std::int64_t line) {
        tokens.Add(start, length, static_cast<int>(line));
    }
    void Extend(std::string_view characters, std::int64_t line) {
        tokens.ExtendLast(characters);
        tokens.back().line = static_cast<int>(line);
    }
    TokenList& tokens;
};

}  // namespace

TokenList Tokenize(std::string input) {
    // Editors on Windows start UTF-8 files with a byte order mark; it is no part of the text.
    const std::size_t begin = std::string_view(input).substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    TokenList tokens(std::move(input));
    TokenRecorder recorder{tokens};
    Scan(tokens.Source(), begin, recorder);
    return tokens;
}

}  // namespace zarn
