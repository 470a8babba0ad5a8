#include "cobrun/Driver.h"
#include "platform/Console.h"
#include "platform/MainGuard.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    return platform::RunMain([&] {
        std::vector<std::string> args(argv + 1, argv + argc);
        return cobrun::RunCobrun(args, platform::StandardConsole(), platform::StandardErrorConsole());
    });
}
