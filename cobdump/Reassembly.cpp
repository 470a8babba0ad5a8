#include "cobdump/Reassembly.h"

#include "platform/Console.h"
#include "zarn/Assembler.h"
#include "zarn/CobWriter.h"
#include "zarn/CommandLine.h"

#include <algorithm>

namespace cobdump {

std::string ReassemblyDifference(const std::string& text, std::string_view bytes) {
    zarn::RunState state;
    state.options = zarn::ReadOptions({"cobdump.zarn", "-o0"}, platform::SilentConsole());
    if (!zarn::Assemble(state, text, platform::SilentConsole())) return "the assembler rejects the disassembly";
    const std::string image = zarn::BuildCobImage(state);
    auto mismatch = std::mismatch(image.begin(), image.end(), bytes.begin(), bytes.end());
    if (mismatch.first == image.end() && mismatch.second == bytes.end()) return "";
    return "the disassembly assembles to a file that differs from byte " +
           std::to_string(mismatch.first - image.begin()) + " on";
}

}  // namespace cobdump
