// Times a whole build of a generated KEL script of a given number of lines (default 100000):
// compiling with kelc's compiler and assembling the result with zarn, in one process. Run one
// size per process so the peak memory belongs to that size: kelc_bench 100000; kelc_bench 1000000
#include "kelc/FileHandling.h"
#include "kelc/KELCompiler.h"
#include "platform/Console.h"
#include "platform/Process.h"
#include "zarn/Assembler.h"
#include "zarn/CobWriter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> GenerateScript(long lines) {
    std::vector<std::string> script{"piece base, turret, barrel, flare;", "static-var busy, heading;",
                                    "const SIG_AIM = 2, SIG_WALK = 4;"};
    for (long n = 0; static_cast<long>(script.size()) < lines; ++n) {
        const std::string name = "Script" + std::to_string(n);
        for (const char* line : {"(angle, pitch) {", "    var i, h = angle + 1;", "    signal SIG_AIM;",
                                 "    set-signal-mask SIG_AIM | SIG_WALK;",
                                 "    turn turret to y-axis h speed <90>;", "    wait-for-turn turret around y-axis;",
                                 "    for (i = 0; i < 10; ++i) {", "        if (i == 3) continue;",
                                 "        move barrel to z-axis [1.5] * i speed [10];", "        sleep 100;", "    }",
                                 "    while (busy) { sleep 50; }", "    hide flare;", "    return h;", "}"})
            script.push_back(line[0] == '(' ? name + line : line);
    }
    return script;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const long lines = std::atol(argc > 1 ? argv[1] : "100000");
    std::vector<std::string> script = GenerateScript(lines);
    const long actualLines = static_cast<long>(script.size());

    auto start = std::chrono::steady_clock::now();
    std::string preprocessed, assembly;
    kelc::TKELCompiler compiler("bench.kel", "bench.zarn", kelc::TCompilerOptions{}, preprocessed, assembly,
                                kelc::JoinLines(script));
    const double compileSeconds = SecondsSince(start);
    if (!compiler.Success) {
        std::printf("compile errors: %s\n", compiler.Messages.empty() ? "" : compiler.Messages[0].c_str());
        return 1;
    }

    start = std::chrono::steady_clock::now();
    zarn::RunState state;
    state.options.optimizationLevel = 0;
    const bool assembled = zarn::Assemble(state, assembly, platform::SilentConsole());
    const std::string cob = assembled ? zarn::BuildCobImage(state) : std::string();
    const double assembleSeconds = SecondsSince(start);

    std::printf("%ld KEL lines -> %zu assembly bytes -> %zu COB bytes: compile %.3f s, assemble %.3f s, "
                "%.0f KEL lines/s, peak memory %.1f MiB%s\n",
                actualLines, assembly.size(), cob.size(), compileSeconds, assembleSeconds,
                actualLines / (compileSeconds + assembleSeconds), platform::PeakMemoryBytes() / (1024.0 * 1024.0),
                assembled ? "" : " (ASSEMBLER ERRORS)");
    return assembled ? 0 : 1;
}
