#pragma once
#include <string_view>

namespace platform {

// Where a program's progress and messages go. Colours are the console's 16 foreground colours
// (7 is normal, 12 light red, 14 yellow); a console that cannot show colour ignores them.
class Console {
public:
    virtual ~Console() = default;
    virtual void Print(std::string_view text) = 0;
    virtual void SetColour(int colour) = 0;
};

// The process's standard output; colours only when it is a terminal and NO_COLOR is unset or empty.
Console& StandardConsole();

// Standard error, so that complaints stay out of text redirected from standard output; no colours.
Console& StandardErrorConsole();

// A console that drops everything, for runs whose output nobody reads.
Console& SilentConsole();

}  // namespace platform
