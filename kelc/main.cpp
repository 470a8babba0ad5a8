#include "kelc/KelcProgram.h"
#include "platform/Console.h"
#include "platform/MainGuard.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    return platform::RunMain([&] {
        std::vector<std::string> args(argv + 1, argv + argc);
        return kelc::RunKelc(args, platform::StandardConsole(), std::cin);
    });
}
