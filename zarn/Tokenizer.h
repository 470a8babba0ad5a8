#pragma once
#include "zarn/Token.h"

#include <string_view>

namespace zarn {

// Splits assembly text into tokens: white space separates, ";" "," ":" and the apostrophe are
// tokens of their own (with an empty token before them when nothing was collected), "//" starts
// a comment and any other "/" is dropped.
TokenList Tokenize(std::string_view input);

}  // namespace zarn
