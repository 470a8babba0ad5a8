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
    std::string preprocessed, assembly;
    kelc::TKELCompiler compiler("fuzz.kel", "fuzz.zarn", options, preprocessed, assembly,
                                std::string(reinterpret_cast<const char*>(data), size));
    if (compiler.Success) {
        zarn::RunState state;
        zarn::Assemble(state, assembly, platform::SilentConsole());
    }
    return 0;
}
