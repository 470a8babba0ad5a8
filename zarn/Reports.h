#pragma once
#include "platform/Console.h"
#include "zarn/RunState.h"

namespace zarn {

// Prints the error count and every error in colour; with -l also appends them to "errors.txt".
void ReportErrors(const RunState& state, platform::Console& console);

// Prints the warning count and the warnings; with -l also appends them to "warnings.txt".
void ReportWarnings(const RunState& state, platform::Console& console);

}  // namespace zarn
