#include "platform/Console.h"

#include <cstdio>

namespace platform {

Console& StandardErrorConsole() {
    class ErrorStream final : public Console {
    public:
        void Print(std::string_view text) override {
            std::fflush(stdout);  // what was said before the complaint comes first
            std::fwrite(text.data(), 1, text.size(), stderr);
        }
        void SetColour(int) override {}
    };
    static ErrorStream console;
    return console;
}

}  // namespace platform
