#pragma once
#include "zarn/RunState.h"

namespace zarn {

// Turns the classified tokens into the code list: every token emits nothing or one word,
// decided by its kind. Also fixes the label values and the per-procedure code lengths, and marks
// the words that begin instructions and those that control can reach by a jump or a call.
void GenerateCode(RunState& state);

}  // namespace zarn
