#pragma once
#include "cobdump/CobFile.h"
#include "cobrun/Instructions.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cobrun {

// A COB file ready to run: its sections and every code word decoded once, so that a jump into
// the middle of an instruction still finds a decoded word.
struct Unit {
    cobdump::CobFile file;
    std::vector<Decoded> decoded;  // one per code word

    int ScriptCount() const { return file.ScriptCount(); }
    int PieceCount() const { return static_cast<int>(file.pieceNames.size()); }
    const std::string& ScriptName(int script) const { return file.scriptNames[static_cast<std::size_t>(script)]; }
    // The script's index, or -1.
    int FindScript(std::string_view name) const;
};

// The unit in a COB file; nothing, with the reasons in `problems`, when the file's layout is not
// the one the assembler writes.
std::optional<Unit> LoadUnit(std::string_view bytes, std::string& problems);

}  // namespace cobrun
