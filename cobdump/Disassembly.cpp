#include "cobdump/Disassembly.h"

#include <algorithm>

namespace cobdump {
namespace {

constexpr const char* kAxisNames[] = {"x-axis", "y-axis", "z-axis"};

void DecodeScript(const CobFile& file, std::int32_t begin, std::int32_t end, std::vector<Instruction>& out) {
    for (std::int32_t at = begin; at < end;) {
        Instruction instruction{at, FindInstruction(file.code[static_cast<std::size_t>(at)]), 0};
        if (instruction.info != nullptr)
            instruction.operandsPresent = std::min(instruction.info->operandCount, end - at - 1);
        out.push_back(instruction);
        at += instruction.Words();
    }
}

std::int32_t OperandWord(const CobFile& file, const Instruction& instruction, int index) {
    return file.code[static_cast<std::size_t>(instruction.at + 1 + index)];
}

}  // namespace

bool Disassembly::IsTarget(std::int32_t word) const { return std::binary_search(targets.begin(), targets.end(), word); }

Disassembly Disassemble(const CobFile& file) {
    Disassembly result;
    for (int script = 0; script < file.ScriptCount(); ++script) {
        result.scriptBegin.push_back(result.instructions.size());
        DecodeScript(file, file.scriptStarts[static_cast<std::size_t>(script)], file.ScriptEnd(script),
                     result.instructions);
    }
    result.scriptBegin.push_back(result.instructions.size());

    for (const Instruction& instruction : result.instructions) {
        if (instruction.info == nullptr || instruction.operandsPresent == 0) continue;
        if (instruction.info->operands[0] != Operand::kTarget) continue;
        std::int32_t target = OperandWord(file, instruction, 0);
        if (target >= 0 && target <= file.CodeLength()) result.targets.push_back(target);
    }
    std::sort(result.targets.begin(), result.targets.end());
    result.targets.erase(std::unique(result.targets.begin(), result.targets.end()), result.targets.end());

    // A pushed constant whose word is a jump target cannot be written as one "invoke" statement.
    std::vector<std::int32_t> pushedConstants;
    for (const Instruction& instruction : result.instructions) {
        if (instruction.info == nullptr || instruction.operandsPresent == 0) continue;
        if (instruction.info->operands[0] == Operand::kConstant && !result.IsTarget(instruction.at + 1))
            pushedConstants.push_back(OperandWord(file, instruction, 0));
    }
    result.tables = SplitLinkTables(file.linkBytes, 4 * std::int64_t{file.CodeLength()}, pushedConstants);
    return result;
}

std::optional<std::string> OperandName(const CobFile& file, Operand operand, std::int32_t value) {
    switch (operand) {
        case Operand::kPiece:
            if (value >= 0 && value < static_cast<std::int32_t>(file.pieceNames.size()))
                return file.pieceNames[static_cast<std::size_t>(value)];
            break;
        case Operand::kAxis:
            if (value >= 0 && value < 3) return kAxisNames[value];
            break;
        case Operand::kScript:
            if (value >= 0 && value < file.ScriptCount()) return file.scriptNames[static_cast<std::size_t>(value)];
            break;
        case Operand::kLocal:
            if (value >= 0) return "local" + std::to_string(value);
            break;
        case Operand::kStatic:
            if (value >= 0 && value < file.header.staticVarCount) return "static" + std::to_string(value);
            break;
        case Operand::kTarget:
            if (value >= 0 && value <= file.CodeLength()) return "L" + std::to_string(value);
            break;
        case Operand::kArgumentCount:
        case Operand::kConstant:
            break;
    }
    return std::nullopt;
}

}  // namespace cobdump
