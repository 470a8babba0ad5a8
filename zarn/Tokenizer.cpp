#include "zarn/Tokenizer.h"

#include <algorithm>

namespace zarn {
namespace {

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsSeparator(char c) { return c == ';' || c == ',' || c == ':' || c == '\''; }

bool IsTokenChar(char c) { return c != '/' && !IsWhiteSpace(c) && !IsSeparator(c); }

class TokenCollector {
public:
    explicit TokenCollector(TokenList& tokens) : tokens_(tokens) {}

    void Append(std::string_view characters, int line) {
        current_.append(characters);
        lastCharLine_ = line;
    }

    void EndToken() {
        if (!current_.empty()) Emit(lastCharLine_);
    }

    void Separator(char c, int line) {
        Emit(current_.empty() ? line : lastCharLine_);
        current_.push_back(c);
        Emit(line);
    }

private:
    void Emit(int line) {
        tokens_.push_back(Token{std::move(current_), 0, line, 0});
        current_.clear();
    }

    TokenList& tokens_;
    std::string current_;
    int lastCharLine_ = 1;
};

}  // namespace

TokenList Tokenize(std::string_view input) {
    // Editors on Windows start UTF-8 files with a byte order mark; it is no part of the text.
    if (input.substr(0, 3) == "\xEF\xBB\xBF") input.remove_prefix(3);
    TokenList tokens;
    TokenCollector collector(tokens);
    int line = 1;
    for (std::size_t i = 0; i < input.size(); ++i) {
        char c = input[i];
        if (c == '/') {
            if (i + 1 < input.size() && input[i + 1] == '/') {
                // The comment's line feed is counted but does not end the token.
                i = std::min(input.find('\n', i), input.size());
                if (i < input.size()) ++line;
            }
            continue;
        }
        if (IsWhiteSpace(c)) {
            collector.EndToken();
            if (c == '\n') ++line;
        } else if (IsSeparator(c)) {
            collector.Separator(c, line);
        } else {
            // The run up to the next character of another class, appended at once.
            std::size_t end = i + 1;
            while (end < input.size() && IsTokenChar(input[end])) ++end;
            collector.Append(input.substr(i, end - i), line);
            i = end - 1;
        }
    }
    collector.EndToken();  // the text's last characters form a token too
    return tokens;
}

}  // namespace zarn
