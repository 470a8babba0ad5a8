#include "platform/Console.h"

#include <cstdio>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace platform {
namespace {

class WindowsConsole final : public Console {
public:
    void Print(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stdout); }

    // Only the foreground changes; the background the user chose stays. Output that is no
    // console (a file, a pipe) has no attributes and gets no colour.
    void SetColour(int colour) override {
        HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
        CONSOLE_SCREEN_BUFFER_INFO info{};
        if (!GetConsoleScreenBufferInfo(output, &info)) return;
        std::fflush(stdout);
        SetConsoleTextAttribute(output, static_cast<WORD>((info.wAttributes & 0xFFF0) | (colour % 16)));
    }
};

}  // namespace

Console& StandardConsole() {
    static WindowsConsole console;
    return console;
}

}  // namespace platform
