#include "platform/Files.h"
#include "platform/PendingTemporaries.h"

#include <cstdio>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace platform {
namespace {

// Runs on a thread of its own when the console is interrupted; the status follows the Linux
// programs: 130 for Ctrl-C or Ctrl-Break (an interrupt), 129 for a closed console (a hang-up).
BOOL WINAPI RemovePendingAndExit(DWORD event) {
    RemovePendingTemporaries(std::remove);
    ExitProcess(event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? 130 : 129);
}

}  // namespace

void RemoveTemporaryFilesOnInterrupt() { SetConsoleCtrlHandler(RemovePendingAndExit, TRUE); }

}  // namespace platform
