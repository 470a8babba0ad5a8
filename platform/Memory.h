#pragma once
#include <cstddef>

namespace platform {

// Asks the system to back the whole large pages (2 MB) that lie inside [data, data + size) with
// such pages when it has them. A big buffer written once from front to back otherwise costs a
// page fault every 4 KB, which is a good part of a run's time. Only a hint: where the system has
// no large pages, or refuses, nothing changes.
void PreferLargePages(void* data, std::size_t size);

}  // namespace platform
