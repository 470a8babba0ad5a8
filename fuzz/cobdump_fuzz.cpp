// Runs cobdump's reader, checks, listing and -S writer over arbitrary bytes taken as a COB file.
// The bytes are also assembled as assembly text: a COB file that the assembler wrote must come
// back byte for byte through -S, and the same file damaged in a few places driven by the input
// must still be handled without a crash. Of a golden test file only the assembly text above its
// marker line is assembled.
#include "cobdump/AssemblyText.h"
#include "cobdump/CobFile.h"
#include "cobdump/CodeChecks.h"
#include "cobdump/Disassembly.h"
#include "cobdump/Listing.h"
#include "cobdump/Reassembly.h"
#include "platform/Console.h"
#include "zarn/Assembler.h"
#include "zarn/CobWriter.h"
#include "zarn/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Whether -S reproduced the bytes.
bool Inspect(std::string_view bytes) {
    cobdump::Problems problems;
    std::optional<cobdump::CobFile> file = cobdump::ReadCobFile(bytes, problems);
    if (!file) return false;
    cobdump::Disassembly disassembly = cobdump::Disassemble(*file);
    const bool layoutValid = problems.empty();
    cobdump::CheckCode(*file, disassembly, problems);
    cobdump::Listing(*file, disassembly);
    cobdump::AssemblyText assembly = cobdump::WriteAssembly(*file, disassembly);
    return layoutValid && assembly.ok && cobdump::ReassemblyDifference(assembly.text, bytes).empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    Inspect(input);

    zarn::RunState state;
    state.options = zarn::ReadOptions({"fuzz.zarn", "-o0"}, platform::SilentConsole());
    std::string_view text = input.substr(0, input.find("\n==== expected ====\n"));
    if (!zarn::Assemble(state, std::string(text), platform::SilentConsole())) return 0;
    std::string cob = zarn::BuildCobImage(state);
    if (!Inspect(cob)) std::abort();  // the assembler's own output must round-trip

    for (std::size_t i = 0; i + 1 < size && i < 16; i += 2) cob[data[i] % cob.size()] = static_cast<char>(data[i + 1]);
    Inspect(cob);
    return 0;
}
