#include "platform/Process.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <psapi.h>

namespace platform {

std::size_t PeakMemoryBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
}

}  // namespace platform
