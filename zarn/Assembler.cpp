#include "zarn/Assembler.h"

#include "zarn/CodeGenerator.h"
#include "zarn/Optimizer.h"
#include "zarn/Parser.h"
#include "zarn/Reports.h"
#include "zarn/Tokenizer.h"

namespace zarn {

bool Assemble(RunState& state, std::string input, platform::Console& console) {
    if (!FitsTextLimit(input.size())) return false;
    console.Print("Tokenizing . . .\n");
    state.tokens = Tokenize(std::move(input));
    console.Print("Parsing . . .\n");
    Parse(state);
    if (!state.errors.empty()) {
        ReportErrors(state, console);
        return false;
    }
    if (!state.warnings.empty()) ReportWarnings(state, console);

    console.Print("No errors found\nGenerating DLL Link Table . . .\n");
    state.dllTable = state.dllSymbols.BuildTable();
    console.Print("Generating String Link Table . . .\n");
    state.stringTable = state.strings.BuildTable();

    if (state.options.OptimizerOn()) OptimizeTokens(state, console);
    console.Print("Generating code . . .\n");
    GenerateCode(state);
    if (state.options.OptimizerOn()) OptimizeCode(state, console);
    return true;
}

void ReleaseTokens(RunState& state) {
    state.tokens = TokenList();
    state.symbols[kLabels] = SymbolList();
    state.labelValues = std::vector<int>();
    state.labelUses = std::vector<int>();
}

}  // namespace zarn
