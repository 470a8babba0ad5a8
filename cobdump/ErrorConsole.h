#pragma once
#include "platform/Console.h"

#include <cstdio>

namespace cobdump {

// Standard error, so that complaints stay out of text redirected from standard output.
class ErrorConsole final : public platform::Console {
public:
    void Print(std::string_view text) override {
        std::fflush(stdout);
        std::fwrite(text.data(), 1, text.size(), stderr);
    }
    void SetColour(int) override {}
};

}  // namespace cobdump
