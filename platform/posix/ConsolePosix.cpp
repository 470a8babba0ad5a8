#include "platform/Console.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace platform {
namespace {

class TerminalConsole final : public Console {
public:
    TerminalConsole() : colours_(isatty(STDOUT_FILENO) == 1 && !ColourRefused()) {}

    void Print(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stdout); }

    void SetColour(int colour) override {
        if (!colours_) return;
        std::fflush(stdout);
        std::printf("\x1b[%dm", AnsiForeground(colour % 16));
    }

private:
    // Console colour bits are 1 blue, 2 green, 4 red, 8 bright; ANSI orders them red, green, blue.
    static int AnsiForeground(int colour) {
        if (colour == 7) return 39;  // the terminal's own normal colour
        int ansi = ((colour & 4) ? 1 : 0) | ((colour & 2) ? 2 : 0) | ((colour & 1) ? 4 : 0);
        return ((colour & 8) ? 90 : 30) + ansi;
    }

    // The NO_COLOR convention: set and not empty.
    static bool ColourRefused() {
        const char* value = std::getenv("NO_COLOR");
        return value != nullptr && value[0] != '\0';
    }

    bool colours_;
};

}  // namespace

Console& StandardConsole() {
    static TerminalConsole console;
    return console;
}

}  // namespace platform
