// Assembles arbitrary bytes in memory; the first byte picks the flags so -e and the optimizer
// are reached too.
#include "platform/Console.h"
#include "zarn/Assembler.h"
#include "zarn/CobWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zarn::RunState state;
    if (size > 0) {
        state.options.warningsAsErrors = (data[0] & 1) != 0;
        state.options.optimizationLevel = (data[0] >> 1) & 3;
        state.options.optimizationType = (data[0] >> 3) & 3;
    }
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (zarn::Assemble(state, std::string(text), platform::SilentConsole())) zarn::BuildCobImage(state);
    return 0;
}
