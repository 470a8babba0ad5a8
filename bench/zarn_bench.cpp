// Times the assembler on generated input of a given number of lines (default 100000) and reports
// lines per second and peak memory. Run one size per process so the peak belongs to that size:
//   zarn_bench 100000; zarn_bench 1000000
// With --generate it writes the input instead, for timing the real executable.
#include "bench/ZarnInputGenerator.h"
#include "platform/Console.h"
#include "platform/Process.h"
#include "zarn/Assembler.h"
#include "zarn/CobWriter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

int main(int argc, char** argv) {
    bool generateOnly = argc > 1 && std::string(argv[1]) == "--generate";
    long lines = std::atol(argc > (generateOnly ? 2 : 1) ? argv[generateOnly ? 2 : 1] : "100000");
    std::string text = GenerateZarnText(lines);
    if (generateOnly) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    long actualLines = 0;
    for (char c : text) actualLines += c == '\n';
    const std::size_t bytesIn = text.size();

    auto start = std::chrono::steady_clock::now();
    zarn::RunState state;
    state.options.optimizationLevel = 0;
    bool ok = zarn::Assemble(state, std::move(text), platform::SilentConsole());
    if (ok) zarn::ReleaseTokens(state);
    std::string cob = ok ? zarn::BuildCobImage(state) : std::string();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("%ld lines, %zu bytes in, %zu bytes out: %.3f s, %.0f lines/s, peak memory %.1f MiB%s\n",
                actualLines, bytesIn, cob.size(), seconds, actualLines / seconds,
                platform::PeakMemoryBytes() / (1024.0 * 1024.0), ok ? "" : " (ERRORS)");
    return ok ? 0 : 1;
}
