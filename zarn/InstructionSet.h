#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace zarn {

struct Mnemonic {
    std::string_view text;
    int kind;
};

struct Opcode {
    int kind;
    std::uint32_t word;
};

// Every mnemonic of the assembly language with its token kind, in the order of the language table.
const Mnemonic* MnemonicsBegin();
const Mnemonic* MnemonicsEnd();

// The kind of a mnemonic, or kNotMnemonic.
int MnemonicKind(std::string_view text);

bool IsJumpKind(int kind);

// Per token kind below 256: whether its tokens emit no code word.
extern const std::array<bool, 256> kSilentKind;

// Whether a token of this kind emits a code word at all. Asked twice per token: inline.
inline bool EmitsWord(int kind) {
    return kind < 0 || kind >= static_cast<int>(kSilentKind.size()) || !kSilentKind[static_cast<std::size_t>(kind)];
}

// The opcode word of an instruction kind; false for kinds that are operands or emit nothing.
bool OpcodeWord(int kind, std::uint32_t& word);

constexpr std::uint32_t kPushcWord = 0x10021001;
constexpr std::uint32_t kPushlWord = 0x10021002;
constexpr std::uint32_t kPushsWord = 0x10021004;
constexpr std::uint32_t kMulWord = 0x10033000;
constexpr std::uint32_t kDivWord = 0x10034000;
constexpr std::uint32_t kShlWord = 0x10044000;

}  // namespace zarn
