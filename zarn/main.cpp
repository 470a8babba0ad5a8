#include "platform/Console.h"
#include "platform/MainGuard.h"
#include "zarn/Driver.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    return platform::RunMain([&] {
        std::vector<std::string> args(argv + 1, argv + argc);
        return zarn::RunZarn(args, platform::StandardConsole());
    });
}
