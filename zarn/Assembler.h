#pragma once
#include "platform/Console.h"
#include "zarn/RunState.h"

#include <string_view>

namespace zarn {

// Runs one assembly text from tokens to code words, printing each phase and the error or
// warning report. Returns true when there were no errors: the state then holds everything the
// COB file needs.
bool Assemble(RunState& state, std::string_view input, platform::Console& console);

}  // namespace zarn
