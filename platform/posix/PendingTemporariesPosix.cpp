#include "platform/posix/PendingTemporaries.h"

#include "platform/Files.h"

#include <atomic>
#include <csignal>
#include <unistd.h>

namespace platform {
namespace {

// The signal handler may only read these, so they are fixed slots rather than a container.
constexpr int kSlotCount = 8;
std::atomic<const char*> pendingNames[kSlotCount];
static_assert(std::atomic<const char*>::is_always_lock_free, "the signal handler reads the slots");

extern "C" void RemovePendingAndExit(int signal) {
    for (std::atomic<const char*>& slot : pendingNames) {
        const char* name = slot.load();
        if (name != nullptr) unlink(name);
    }
    _exit(128 + signal);
}

}  // namespace

PendingTemporary::PendingTemporary(const std::string& name) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const char* empty = nullptr;
        if (pendingNames[slot].compare_exchange_strong(empty, name.c_str())) {
            slot_ = slot;
            return;
        }
    }
}

PendingTemporary::~PendingTemporary() {
    if (slot_ >= 0) pendingNames[slot_].store(nullptr);
}

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
