#include "zarn/CodeGenerator.h"

#include "platform/Memory.h"
#include "zarn/CobFormat.h"
#include "zarn/InstructionSet.h"
#include "zarn/NumberValues.h"
#include "zarn/TokenKinds.h"

namespace zarn {
namespace {

bool IsLabelUse(int kind) { return kind == kLabelDefinition || kind == kLabelReference; }

// Counts the words, gives each label the position of the word after its definition and
// measures every procedure. Returns the number of words.
std::int32_t CountWords(RunState& state) {
    state.procedureLengths.assign(static_cast<std::size_t>(state.procedureCount), 0);
    int procedure = -1;
    std::int32_t words = 0;
    std::size_t labelUse = 0;
    for (std::size_t i = 0; i < state.tokens.size(); ++i) {
        const Token& token = state.tokens[i];
        if (EmitsWord(token.kind)) {
            ++words;
            if (procedure >= 0 && procedure < state.procedureCount)
                ++state.procedureLengths[static_cast<std::size_t>(procedure)];
        }
        if (token.kind == kProcName) ++procedure;
        if (!IsLabelUse(token.kind)) continue;
        const int label = state.labelUses[labelUse++];
        if (token.kind == kLabelDefinition) state.labelValues[static_cast<std::size_t>(label)] = words;
    }
    return words;
}

std::int32_t OperandWord(const RunState& state, const Token& token, std::int32_t codeBytes) {
    std::int32_t number = 0;
    std::string_view text = state.tokens.TextOf(token);
    if (NumberWord(token.kind, text, number)) return number;
    switch (token.kind) {
        case kDllSymbol:
            return state.dllSymbols.Find(text) + codeBytes;
        case kStringOperand:
            return state.strings.Find(text) + codeBytes + state.dllSymbols.Size() + Padding(state.dllSymbols.Size());
        default:
            return token.kind >= kSymbolReference ? token.kind - kSymbolReference : token.kind & 0x3FFF;
    }
}

}  // namespace

void GenerateCode(RunState& state) {
    std::int32_t words = CountWords(state);
    const std::size_t size = static_cast<std::size_t>(words);
    state.code.clear();
    state.code.reserve(size);
    platform::PreferLargePages(state.code.data(), size * sizeof(std::int32_t));
    state.instructionStarts.clear();
    state.instructionStarts.reserve(size);
    state.entryPoints.clear();
    state.entryPoints.reserve(size);
    std::int32_t codeBytes = words * 4;
    bool entry = false;
    std::size_t labelUse = 0;
    for (std::size_t i = 0; i < state.tokens.size(); ++i) {
        const Token& token = state.tokens[i];
        const int label = IsLabelUse(token.kind) ? state.labelUses[labelUse++] : -1;
        if (token.kind == kProcName || token.kind == kLabelDefinition) entry = true;
        if (!EmitsWord(token.kind)) continue;
        std::uint32_t opcode = 0;
        bool instruction = OpcodeWord(token.kind, opcode);
        std::int32_t word = instruction                       ? static_cast<std::int32_t>(opcode)
                            : token.kind == kLabelReference ? state.labelValues[static_cast<std::size_t>(label)]
                                                            : OperandWord(state, token, codeBytes);
        state.code.push_back(word);
        state.instructionStarts.push_back(instruction);
        state.entryPoints.push_back(entry);
        entry = false;
    }
}

}  // namespace zarn
