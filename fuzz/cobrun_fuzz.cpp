// Runs arbitrary bytes taken as a COB file through cobrun's machine, with every script started,
// the trace on and the chart and data written; and the bytes assembled as assembly text (of a
// golden test file the text above its marker line), run the same way, then damaged in a few
// places driven by the input and run again. Short time and budget limits keep each input quick.
#include "cobrun/JsonData.h"
#include "cobrun/Run.h"
#include "cobrun/SvgChart.h"
#include "platform/Console.h"
#include "zarn/Assembler.h"
#include "zarn/CobWriter.h"
#include "zarn/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void RunAll(std::string_view bytes, std::uint8_t seed) {
    std::string problems;
    std::optional<cobrun::Unit> unit = cobrun::LoadUnit(bytes, problems);
    if (!unit) return;
    cobrun::RunOptions options;
    for (int script = 0; script < unit->ScriptCount() && script < 16; ++script)
        options.starts.push_back({unit->ScriptName(script), 50 * script, {seed, -seed}});
    options.untilMs = 1000;
    options.budget = 500;
    options.trace = true;
    options.seed = seed;
    cobrun::Recording recording;
    cobrun::Run(*unit, options, [](const cobrun::Event&) {}, &recording);
    cobrun::SvgChart("fuzz.cob", recording);
    cobrun::JsonData("fuzz.cob", recording);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::uint8_t seed = size > 0 ? data[0] : 0;
    RunAll(input, seed);

    zarn::RunState state;
    state.options = zarn::ReadOptions({"fuzz.zarn", "-o0"}, platform::SilentConsole());
    std::string_view text = input.substr(0, input.find("\n==== expected ====\n"));
    if (!zarn::Assemble(state, std::string(text), platform::SilentConsole())) return 0;
    std::string cob = zarn::BuildCobImage(state);
    RunAll(cob, seed);
    // Damage only the code words, so that the layout stays valid and the machine meets them.
    const std::size_t codeBytes = state.code.size() * 4;
    for (std::size_t i = 0; codeBytes > 0 && i + 1 < size && i < 16; i += 2)
        cob[44 + data[i] % codeBytes] = static_cast<char>(data[i + 1]);
    RunAll(cob, seed);
    return 0;
}
