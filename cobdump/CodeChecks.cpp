#include "cobdump/CodeChecks.h"

namespace cobdump {

void CheckCode(const CobFile& file, const Disassembly& disassembly, Problems& problems) {
    using std::to_string;
    for (const Instruction& instruction : disassembly.instructions) {
        if (instruction.info == nullptr) continue;
        const std::string name(instruction.info->mnemonic);
        const int missing = instruction.info->operandCount - instruction.operandsPresent;
        if (missing > 0)
            problems.push_back({file.WordOffset(instruction.at),
                                name + " at word " + to_string(instruction.at) + " lacks " + to_string(missing) +
                                    " of its " + to_string(instruction.info->operandCount) +
                                    " operand words: its script ends first"});
        if (instruction.operandsPresent == 0 || instruction.info->operands[0] != Operand::kTarget) continue;
        const std::int32_t word = instruction.at + 1;
        const std::int32_t target = file.code[static_cast<std::size_t>(word)];
        if (target < 0 || target > file.CodeLength())
            problems.push_back({file.WordOffset(word), name + " at word " + to_string(instruction.at) + " jumps to " +
                                                           to_string(target) + ", outside the code (" +
                                                           to_string(file.CodeLength()) + " words)"});
    }
}

}  // namespace cobdump
