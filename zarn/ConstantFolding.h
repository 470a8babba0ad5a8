#pragma once
#include "zarn/Token.h"

namespace zarn {

// Folds constant arithmetic on the classified tokens: "pushc A; pushc B;" followed by a binary
// operator, or "pushc A;" followed by "not" or "neg", becomes one "pushc" of the result. Folded
// tokens stay in the list and emit nothing. Returns the bytes of code saved.
int FoldConstants(TokenList& tokens);

}  // namespace zarn
