#pragma once
#include "zarn/RunState.h"

#include <string>

namespace zarn {

// The bytes of the COB file for a run whose code has been generated.
std::string BuildCobImage(const RunState& state);

}  // namespace zarn
