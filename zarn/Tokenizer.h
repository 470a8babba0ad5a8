#pragma once
#include "zarn/TokenList.h"

#include <string>

namespace zarn {

// Splits assembly text into tokens: white space separates, ";" "," ":" and the apostrophe are
// tokens of their own (with an empty token before them when nothing was collected), "//" starts
// a comment and any other "/" is dropped. The list takes the text over, which must fit
// FitsTextLimit.
TokenList Tokenize(std::string input);

}  // namespace zarn
