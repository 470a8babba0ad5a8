#include "cobdump/InstructionTable.h"

#include "zarn/InstructionSet.h"

#include <unordered_map>

namespace cobdump {
namespace {

struct ImmediateOperands {
    std::string_view mnemonic;
    int count;
    std::array<Operand, 2> operands;
};

constexpr ImmediateOperands kImmediateOperands[] = {
    {"move", 2, {Operand::kPiece, Operand::kAxis}},
    {"turn", 2, {Operand::kPiece, Operand::kAxis}},
    {"spin", 2, {Operand::kPiece, Operand::kAxis}},
    {"stop-spin", 2, {Operand::kPiece, Operand::kAxis}},
    {"movenow", 2, {Operand::kPiece, Operand::kAxis}},
    {"turnnow", 2, {Operand::kPiece, Operand::kAxis}},
    {"wait-for-turn", 2, {Operand::kPiece, Operand::kAxis}},
    {"wait-for-move", 2, {Operand::kPiece, Operand::kAxis}},
    {"show", 1, {Operand::kPiece}},
    {"hide", 1, {Operand::kPiece}},
    {"cache", 1, {Operand::kPiece}},
    {"dont-cache", 1, {Operand::kPiece}},
    {"shade", 1, {Operand::kPiece}},
    {"dont-shade", 1, {Operand::kPiece}},
    {"sfx", 1, {Operand::kPiece}},
    {"explode", 1, {Operand::kPiece}},
    {"pushc", 1, {Operand::kConstant}},
    {"pushl", 1, {Operand::kLocal}},
    {"popl", 1, {Operand::kLocal}},
    {"pushs", 1, {Operand::kStatic}},
    {"pops", 1, {Operand::kStatic}},
    {"call", 2, {Operand::kScript, Operand::kArgumentCount}},
    {"start", 2, {Operand::kScript, Operand::kArgumentCount}},
    {"jmp", 1, {Operand::kTarget}},
    {"jne", 1, {Operand::kTarget}},
};

// Opcode word to instruction. Where mnemonics share a word (pushc, invoke and pushstring; cmp
// and sete; the jump synonyms) the first one of the assembler's table names it.
std::unordered_map<std::int32_t, InstructionInfo> BuildTable() {
    std::unordered_map<std::string_view, const ImmediateOperands*> operandsOf;
    for (const ImmediateOperands& entry : kImmediateOperands) operandsOf.emplace(entry.mnemonic, &entry);
    std::unordered_map<std::int32_t, InstructionInfo> table;
    for (const zarn::Mnemonic* m = zarn::MnemonicsBegin(); m != zarn::MnemonicsEnd(); ++m) {
        std::uint32_t word = 0;
        if (!zarn::OpcodeWord(m->kind, word)) continue;
        InstructionInfo info{m->text, 0, {}};
        auto found = operandsOf.find(m->text);
        if (found != operandsOf.end()) {
            info.operandCount = found->second->count;
            info.operands = found->second->operands;
        }
        table.emplace(static_cast<std::int32_t>(word), info);
    }
    return table;
}

}  // namespace

const InstructionInfo* FindInstruction(std::int32_t word) {
    static const std::unordered_map<std::int32_t, InstructionInfo> table = BuildTable();
    auto found = table.find(word);
    return found == table.end() ? nullptr : &found->second;
}

}  // namespace cobdump
