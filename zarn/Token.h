#pragma once
#include <string>
#include <vector>

namespace zarn {

// One lexical token of the assembly text. The parser gives it a kind (TokenKinds.h); the
// optimizer may change kind and text later.
struct Token {
    std::string text;
    int kind = 0;
    int line = 1;   // line of the token's last character
    int value = 0;  // offset in a link table, for DLL symbol and string operands
};

using TokenList = std::vector<Token>;

}  // namespace zarn
