#pragma once
#include <string_view>

namespace platform {

// The console's 16 foreground colours are numbered as the console numbers them; these are the
// ones the programs use.
enum Colour : int {
    kNormalColour = 7,
    kErrorColour = 12,    // light red
    kWarningColour = 14,  // yellow
};

// Where a program's progress and messages go. A console that cannot show colour ignores it.
class Console {
public:
    virtual ~Console() = default;
    virtual void Print(std::string_view text) = 0;
    virtual void SetColour(int colour) = 0;
};

// The process's standard output; colours only when it is a terminal.
Console& StandardConsole();

// Standard error, so that complaints stay out of text redirected from standard output; no colours.
Console& StandardErrorConsole();

// A console that drops everything, for runs whose output nobody reads.
Console& SilentConsole();

}  // namespace platform
