#pragma once
#include "cobdump/CobFile.h"
#include "cobdump/Disassembly.h"

namespace cobdump {

// Instructions cut off by the end of their script and jump targets outside the code.
void CheckCode(const CobFile& file, const Disassembly& disassembly, Problems& problems);

}  // namespace cobdump
