#include "tests/kelc/CompileText.h"

#include "kelc/FileHandling.h"
#include "kelc/KELCompiler.h"

CompiledText CompileText(const std::string& text, const kelc::TCompilerOptions& options) {
    std::string preprocessed, assembly;
    CompiledText result;
    kelc::TKELCompiler compiler("t.kel", "t.zarn", options, preprocessed, assembly, text);
    result.assembly = kelc::SplitLines(assembly);
    result.success = compiler.Success;
    result.messages = compiler.Messages;
    for (auto line = result.assembly.begin(); line != result.assembly.end(); ++line) {
        if (line->rfind("//Compile time  : ", 0) == 0) {
            result.assembly.erase(line);
            break;
        }
    }
    return result;
}
