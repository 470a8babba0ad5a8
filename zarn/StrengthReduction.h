#pragma once
#include "zarn/RunState.h"

namespace zarn {

// Turns multiplications by a constant power of two in the generated code into left shifts.
// Divisions stay: a shift rounds a negative dividend down where "div" truncates toward zero.
// Returns the number of "mul" instructions changed.
int ReduceStrength(RunState& state);

}  // namespace zarn
