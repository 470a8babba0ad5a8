#include "platform/Files.h"
#include "platform/PendingTemporaries.h"

#include <csignal>
#include <unistd.h>

namespace platform {
namespace {

extern "C" void RemovePendingAndExit(int signal) {
    RemovePendingTemporaries(unlink);
    _exit(128 + signal);
}

}  // namespace

void RemoveTemporaryFilesOnInterrupt() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous {};
        // A run started with the signal ignored (nohup, a background job) keeps ignoring it.
        if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = RemovePendingAndExit;
        sigfillset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

}  // namespace platform
