// Compiles arbitrary bytes as a KEL script and assembles what a clean compile produced; the first
// byte picks the compiler settings. Neither step may crash, hang or let an exception escape.
#include "kelc/FileHandling.h"
#include "kelc/KELCompiler.h"
#include "platform/Console.h"
#include "zarn/Assembler.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kelc::TCompilerOptions options;
    options.MirroxCompatibility = size > 0 && (data[0] & 1) != 0;
    options.EnableZARNExtentions = size > 0 && (data[0] & 2) != 0;
    options.AutoEmitLastRet = size > 0 && (data[0] & 4) != 0;
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += static_cast<char>(data[i]);
    }
    std::vector<std::string> preprocessed, assembly;
    kelc::TKELCompiler compiler("fuzz.kel", "fuzz.zarn", options, preprocessed, assembly, std::move(lines));
    if (compiler.Success) {
        zarn::RunState state;
        zarn::Assemble(state, kelc::JoinLines(assembly), platform::SilentConsole());
    }
    return 0;
}
