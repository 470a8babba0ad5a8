#pragma once
#include "cobdump/CobFile.h"
#include "cobdump/Disassembly.h"

#include <string>

namespace cobdump {

// The readable view of a file: header fields, scripts, pieces, statics, link tables and the
// disassembly of every script, one instruction per line.
std::string Listing(const CobFile& file, const Disassembly& disassembly);

}  // namespace cobdump
