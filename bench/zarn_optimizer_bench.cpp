// Times constant folding on generated input of a given number of foldable expressions (default
// 100000) and reports tokens per second and peak memory. Run one size per process so the peak
// belongs to that size:
//   zarn_optimizer_bench 100000; zarn_optimizer_bench 1000000
#include "platform/Process.h"
#include "zarn/ConstantFolding.h"
#include "zarn/Parser.h"
#include "zarn/Tokenizer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Procedures of up to 1000 expressions, each a chain of folds of every shape the pass knows.
std::string FoldableText(long expressions) {
    std::string text;
    for (long done = 0, procedure = 0; done < expressions; ++procedure) {
        text += "proc p" + std::to_string(procedure) + " args none; var x;\nbeginproc\n";
        for (long i = 0; i < 1000 && done < expressions; ++i, ++done)
            text += "pushc " + std::to_string(i) + "; pushc 3; add; pushc 7; mul; pushc 90n; sub; not; popl x;\n";
        text += "ret;\nendproc;\n";
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    long expressions = std::atol(argc > 1 ? argv[1] : "100000");
    zarn::RunState state;
    state.tokens = zarn::Tokenize(FoldableText(expressions));
    zarn::Parse(state);
    if (!state.errors.empty()) {
        std::printf("the generated input has errors\n");
        return 1;
    }

    auto start = std::chrono::steady_clock::now();
    int bytesSaved = zarn::FoldConstants(state.tokens);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("%ld expressions, %zu tokens: folding %.3f s, %.0f tokens/s, %d bytes saved, peak memory %.1f MiB\n",
                expressions, state.tokens.size(), seconds, state.tokens.size() / seconds, bytesSaved,
                platform::PeakMemoryBytes() / (1024.0 * 1024.0));
    return 0;
}
