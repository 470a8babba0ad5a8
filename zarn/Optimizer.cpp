#include "zarn/Optimizer.h"

#include "zarn/ConstantFolding.h"
#include "zarn/StrengthReduction.h"

#include <string>

namespace zarn {
namespace {

bool ForSize(const Options& options) { return (options.optimizationType & 1) != 0; }
bool ForSpeed(const Options& options) { return (options.optimizationType & 2) != 0; }

void PrintHeading(const Options& options, const std::string& pass, platform::Console& console) {
    console.Print("Optimizing (" + pass + ") - Level = " + std::to_string(options.optimizationLevel) +
                  ", Type = " + std::to_string(options.optimizationType) + " . . .\n");
}

}  // namespace

void OptimizeTokens(RunState& state, platform::Console& console) {
    const Options& options = state.options;
    PrintHeading(options, "1st Pass - Pre Code Generation", console);
    if (!ForSize(options) && !ForSpeed(options)) return;
    int bytesSaved = FoldConstants(state.tokens);
    if (ForSize(options)) console.Print("\tOptimiziation for size results:\n");
    if (ForSpeed(options)) console.Print("\tOptimization for speed results:\n");
    console.Print("\t\tRemoved " + std::to_string(bytesSaved) + " redundant bytes of code (speed and size)\n");
}

void OptimizeCode(RunState& state, platform::Console& console) {
    const Options& options = state.options;
    PrintHeading(options, "2nd Pass - Post Code Generation", console);
    if (ForSize(options)) console.Print("\tOptimization for size results:\n\t\tNo size optimizations available\n");
    if (!ForSpeed(options)) return;
    int multiplications = ReduceStrength(state);
    // No division is ever turned into a shift, so that count stays 0.
    console.Print("\tOptimization for speed results:\n\t\tChanged 0 div instructions to sar\n\t\tChanged " +
                  std::to_string(multiplications) + " mul instructions to shl\n");
}

}  // namespace zarn
