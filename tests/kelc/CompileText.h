#pragma once
#include "kelc/KELCompiler.h"

#include <string>
#include <vector>

// Compiles KEL text in memory under the file name "t.kel" with the default settings unless
// told otherwise.
struct CompiledText {
    bool success = false;
    std::vector<std::string> messages;
    std::vector<std::string> assembly;  // the compile-time comment left out
};
CompiledText CompileText(const std::string& text, const kelc::TCompilerOptions& options = {});
