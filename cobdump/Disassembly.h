#pragma once
#include "cobdump/CobFile.h"
#include "cobdump/InstructionTable.h"
#include "cobdump/LinkTables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cobdump {

// One opcode with the operand words that follow it inside its script, or one data word.
struct Instruction {
    std::int32_t at = 0;                  // word position in the code
    const InstructionInfo* info = nullptr;  // null for a word that is no opcode
    int operandsPresent = 0;              // fewer than the instruction takes when the script ends early

    int Words() const { return 1 + operandsPresent; }
};

// The code of every script decoded from its first word on.
struct Disassembly {
    std::vector<Instruction> instructions;  // in code order, covering every word of every script once
    std::vector<std::size_t> scriptBegin;   // index of each script's first instruction, and one past the last
    std::vector<std::int32_t> targets;      // the distinct jump targets that lie in the code (0 to C), sorted
    LinkTables tables;

    bool IsTarget(std::int32_t word) const;
};
Disassembly Disassemble(const CobFile& file);

// The readable name of an operand value where the file knows one ("turret", "y-axis", "L12",
// "local0", "static3"); nothing for plain numbers and values out of range.
std::optional<std::string> OperandName(const CobFile& file, Operand operand, std::int32_t value);

}  // namespace cobdump
