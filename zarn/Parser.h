#pragma once
#include "zarn/RunState.h"

namespace zarn {

// Walks the token list once: checks the structure of declarations and procedures, gives every
// token its kind, fills the symbol lists and the link lists, and records errors and warnings.
void Parse(RunState& state);

}  // namespace zarn
