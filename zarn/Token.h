#pragma once
#include <cstdint>

namespace zarn {

// One lexical token of the assembly text. The parser gives it a kind (TokenKinds.h); the
// optimizer may change kind and text later. Its text lives in the TokenList that holds it.
struct Token {
    std::uint32_t start = 0;  // where the text begins; the top bit picks the list's own store
    std::uint32_t length = 0;
    int kind = 0;
    int line = 1;  // line of the token's last character
};

}  // namespace zarn
