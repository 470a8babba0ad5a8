#include "cobdump/Driver.h"
#include "cobdump/ErrorConsole.h"
#include "platform/Console.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    cobdump::ErrorConsole errors;
    return cobdump::RunCobdump(args, platform::StandardConsole(), errors);
}
