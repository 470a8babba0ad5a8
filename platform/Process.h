#pragma once
#include <cstddef>

namespace platform {

// Largest resident memory the process has used so far, in bytes (0 when unknown).
std::size_t PeakMemoryBytes();

}  // namespace platform
