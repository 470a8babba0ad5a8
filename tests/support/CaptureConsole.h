#pragma once
#include "platform/Console.h"

#include <string>

// A console that keeps what is printed; colours are left out.
class CaptureConsole final : public platform::Console {
public:
    void Print(std::string_view text) override { text_ += text; }
    void SetColour(int) override {}
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};
