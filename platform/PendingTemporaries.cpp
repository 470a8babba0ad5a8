#include "platform/PendingTemporaries.h"

#include <atomic>

namespace platform {
namespace {

// An interrupt handler may only read these, so they are fixed slots rather than a container.
constexpr int kSlotCount = 8;
std::atomic<const char*> pendingNames[kSlotCount];
static_assert(std::atomic<const char*>::is_always_lock_free, "the interrupt handler reads the slots");

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

void RemovePendingTemporaries(int (*remove)(const char*)) {
    for (std::atomic<const char*>& slot : pendingNames) {
        const char* name = slot.load();
        if (name != nullptr) remove(name);
    }
}

}  // namespace platform
