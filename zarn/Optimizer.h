#pragma once
#include "platform/Console.h"
#include "zarn/RunState.h"

namespace zarn {

// The two optimizer passes as the assembler runs them when both the optimization level and type
// are non-zero, each printing its heading and results. Type bit 0 asks for size, bit 1 for speed.

// Before code generation: constant folding on the tokens.
void OptimizeTokens(RunState& state, platform::Console& console);

// After code generation: multiplications by powers of two become shifts (speed only).
void OptimizeCode(RunState& state, platform::Console& console);

}  // namespace zarn
