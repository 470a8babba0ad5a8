#pragma once
#include "cobdump/CobFile.h"
#include "cobdump/Disassembly.h"

#include <string>

namespace cobdump {

// Assembly text that the assembler turns back into the same file, or why there is none.
struct AssemblyText {
    bool ok = false;
    std::string text;
    std::string reason;
};

// For a file without problems. Operands are written as names where the name means the same
// word to the assembler, otherwise as numbers; words that are no instruction become "ddw".
AssemblyText WriteAssembly(const CobFile& file, const Disassembly& disassembly);

}  // namespace cobdump
