#include "platform/MainGuard.h"

#include "platform/Console.h"
#include "platform/Files.h"

#include <new>

namespace platform {

int RunMain(const std::function<int()>& program) {
    RemoveTemporaryFilesOnInterrupt();
    try {
        return program();
    } catch (const std::bad_alloc&) {
        StandardErrorConsole().Print("Out of memory\n");
        return 1;
    }
}

}  // namespace platform
