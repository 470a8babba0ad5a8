#pragma once
#include "platform/Console.h"
#include "zarn/RunState.h"

#include <string>

namespace zarn {

// Runs one assembly text from tokens to code words, printing each phase and the error or
// warning report. Returns true when there were no errors: the state then holds everything the
// COB file needs. The tokens take the text over; a text that does not fit FitsTextLimit is
// refused (false) before anything is printed.
bool Assemble(RunState& state, std::string input, platform::Console& console);

// Frees the tokens (with the text) and the labels, which the COB image does not need.
void ReleaseTokens(RunState& state);

}  // namespace zarn
