#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace cobdump {

// What an immediate operand word after an opcode stands for.
enum class Operand { kPiece, kAxis, kScript, kArgumentCount, kConstant, kLocal, kStatic, kTarget };

struct InstructionInfo {
    std::string_view mnemonic;
    int operandCount = 0;
    std::array<Operand, 2> operands{};
};

// The instruction whose opcode is `word`, or null for a word that is no opcode. Immediate
// operands are the ones the compiler writes after each instruction.
const InstructionInfo* FindInstruction(std::int32_t word);

}  // namespace cobdump
