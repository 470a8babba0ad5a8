#include "platform/Memory.h"

namespace platform {

// Large pages on Windows need a privilege ordinary users lack: buffers keep the normal pages.
void PreferLargePages(void*, std::size_t) {}

}  // namespace platform
