#pragma once
#include "cobdump/Problem.h"
#include "zarn/CobFormat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cobdump {

// The sections of a COB file, each read from where the header says it is.
struct CobFile {
    zarn::CobHeader header;
    std::int64_t size = 0;
    std::vector<std::int32_t> code;
    std::int64_t linkOffset = 0;  // the DLL and string tables with their padding start here
    std::string linkBytes;
    std::vector<std::int32_t> scriptStarts;  // the script code index, in words
    std::vector<std::string> scriptNames;
    std::vector<std::string> pieceNames;

    int ScriptCount() const { return static_cast<int>(scriptStarts.size()); }
    std::int32_t CodeLength() const { return static_cast<std::int32_t>(code.size()); }
    // One past the last word of the script: where the next one starts.
    std::int32_t ScriptEnd(int script) const;
    std::int64_t WordOffset(std::int32_t word) const { return header.codeOffset + 4 * std::int64_t{word}; }
};

// Reads the file and appends every departure from the layout the assembler writes to
// `problems`. Returns nothing when a section lies outside the file or the code index cannot
// split the code into scripts: then there is nothing that could be shown.
std::optional<CobFile> ReadCobFile(std::string_view bytes, Problems& problems);

}  // namespace cobdump
