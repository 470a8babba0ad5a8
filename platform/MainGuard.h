#pragma once
#include <functional>

namespace platform {

// Runs a program's whole work and returns its exit status. An interrupt removes the temporary
// file of a replacement in progress (see RemoveTemporaryFilesOnInterrupt), and memory running
// out ends the run with "Out of memory" on standard error and status 1 instead of a crash.
int RunMain(const std::function<int()>& program);

}  // namespace platform
