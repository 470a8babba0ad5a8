// Times cobrun's machine on a tight arithmetic loop that never yields and reports instructions
// per second of processor time, so that other work on the machine does not count:
// cobrun_bench [iterations] (default 5000000, 15 instructions each).
#include "cobrun/Run.h"
#include "platform/Console.h"
#include "zarn/Assembler.h"
#include "zarn/CobWriter.h"

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string LoopText(long iterations) {
    return "piece base;\nstatic-var x;\nproc Create args none; var i;\nbeginproc\n"
           "loop:\n"
           "  pushl i; pushc 1; add; popl i;\n"
           "  pushl i; pushc 3; mul; pushc 7; and; pops x;\n"
           "  pushl i; pushc " + std::to_string(iterations) + "; setl; jne done;\n"
           "  jmp loop;\n"
           "done:\n"
           "  pushc 0; ret;\nendproc;\n";
}

}  // namespace

int main(int argc, char** argv) {
    const long iterations = std::atol(argc > 1 ? argv[1] : "5000000");
    zarn::RunState state;
    state.options.optimizationLevel = 0;
    if (!zarn::Assemble(state, LoopText(iterations), platform::SilentConsole())) {
        std::printf("the loop does not assemble\n");
        return 1;
    }
    std::string problems;
    std::optional<cobrun::Unit> unit = cobrun::LoadUnit(zarn::BuildCobImage(state), problems);
    if (!unit) {
        std::printf("the loop does not load: %s", problems.c_str());
        return 1;
    }
    cobrun::RunOptions options;
    options.starts = {{"Create", 0, {}}};
    options.budget = 1000000000;

    const std::clock_t start = std::clock();
    cobrun::RunSummary summary = cobrun::Run(*unit, options, [](const cobrun::Event&) {});
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;

    std::printf("%lld instructions: %.3f s of processor time, %.1f million instructions/s%s\n", static_cast<long long>(summary.instructions),
                seconds, summary.instructions / seconds / 1e6, summary.faults == 0 ? "" : " (FAULTS)");
    return summary.faults == 0 ? 0 : 1;
}
