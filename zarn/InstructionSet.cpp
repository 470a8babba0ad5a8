#include "zarn/InstructionSet.h"

#include "zarn/TokenKinds.h"

#include <array>
#include <vector>

namespace zarn {
namespace {

constexpr Mnemonic kMnemonics[] = {
    {"move", 6},         {"turn", 7},          {"spin", 8},         {"stop-spin", 9},
    {"show", 10},        {"hide", 11},         {"cache", 12},       {"dont-cache", 13},
    {"movenow", 16},     {"turnnow", 17},      {"shade", 18},       {"dont-shade", 19},
    {"sfx", 20},         {"wait-for-turn", 21}, {"wait-for-move", 22}, {"sleep", 23},
    {"pushc", 25},       {"pushl", 26},        {"pushs", 27},       {"clv", 28},
    {"popl", 30},        {"pops", 31},         {"flush", 32},       {"add", 33},
    {"sub", 34},         {"mul", 35},          {"div", 36},         {"and", 37},
    {"or", 38},          {"xor", 39},          {"not", 40},         {"rand", 41},
    {"getuv", 42},       {"get", 43},          {"shl", 44},         {"sar", 45},
    {"setl", 46},        {"setle", 47},        {"setg", 48},        {"setge", 49},
    {"cmp", 50},         {"sete", 50},         {"setne", 52},       {"land", 53},
    {"lor", 54},         {"lxor", 55},         {"neg", 56},         {"start", 57},
    {"call", 58},        {"jmp", 60},          {"je", 60},          {"jz", 60},
    {"ret", 61},         {"jne", 62},          {"jnz", 62},         {"sig", 63},
    {"signal", 63},      {"mask", 64},         {"explode", 65},     {"set", 66},
    {"attach", 67},      {"drop", 68},         {"ddw", 70},         {"nop", 113},
    {"_cobalt", 120},    {"empty", 123},       {"invoke", 124},     {"pushstring", 126},
    {"string", 128},     {"dstr", 128},
};

constexpr Opcode kOpcodes[] = {
    {6, 0x10001000},  {7, 0x10002000},  {8, 0x10003000},  {9, 0x10004000},  {10, 0x10005000},
    {11, 0x10006000}, {12, 0x10007000}, {13, 0x10008000}, {14, 0x10009000}, {15, 0x1000A000},
    {16, 0x1000B000}, {17, 0x1000C000}, {18, 0x1000D000}, {19, 0x1000E000}, {20, 0x1000F000},
    {21, 0x10011000}, {22, 0x10012000}, {23, 0x10013000}, {24, 0x10021000}, {25, 0x10021001},
    {26, 0x10021002}, {27, 0x10021004}, {28, 0x10022000}, {29, 0x10023000}, {30, 0x10023002},
    {31, 0x10023004}, {32, 0x10024000}, {33, 0x10031000}, {34, 0x10032000}, {35, 0x10033000},
    {36, 0x10034000}, {37, 0x10035000}, {38, 0x10036000}, {39, 0x10037000}, {40, 0x10038000},
    {41, 0x10041000}, {42, 0x10042000}, {43, 0x10043000}, {44, 0x10044000}, {45, 0x10045000},
    {46, 0x10051000}, {47, 0x10052000}, {48, 0x10053000}, {49, 0x10054000}, {50, 0x10055000},
    {51, 0x10055000}, {52, 0x10056000}, {53, 0x10057000}, {54, 0x10058000}, {55, 0x10059000},
    {56, 0x1005A000}, {57, 0x10061000}, {58, 0x10062000}, {59, 0x10063000}, {60, 0x10064000},
    {61, 0x10065000}, {62, 0x10066000}, {63, 0x10067000}, {64, 0x10068000}, {65, 0x10071000},
    {66, 0x10082000}, {67, 0x10083000}, {68, 0x10084000}, {69, 0x02800000}, {113, 0x00000000},
    {120, 0x10091000}, {124, 0x10021001}, {126, 0x10021001},
};

constexpr int kSilentKinds[] = {1, 2, 3, 4, 5, 70, 71, 74, 75, 76, 77, 93, 94, 95, 119, 123, 128, 129};

// Asked for every token: a table by kind, not a search.

struct OpcodeEntry {
    bool present = false;
    std::uint32_t word = 0;
};

constexpr auto kOpcodeByKind = [] {
    std::array<OpcodeEntry, kNotMnemonic + 16> table{};
    for (const Opcode& op : kOpcodes) table[static_cast<std::size_t>(op.kind)] = OpcodeEntry{true, op.word};
    return table;
}();

}  // namespace

constexpr std::array<bool, 256> kSilentKind = [] {
    std::array<bool, 256> table{};
    for (int k : kSilentKinds) table[static_cast<std::size_t>(k)] = true;
    return table;
}();

const Mnemonic* MnemonicsBegin() { return std::begin(kMnemonics); }
const Mnemonic* MnemonicsEnd() { return std::end(kMnemonics); }

int MnemonicKind(std::string_view text) {
    // Asked for every statement: among the few mnemonics of the same first letter and length.
    static const auto byFirstLetter = [] {
        std::array<std::vector<const Mnemonic*>, 256> table;
        for (const Mnemonic& m : kMnemonics) table[static_cast<unsigned char>(m.text[0])].push_back(&m);
        return table;
    }();
    if (text.empty()) return kNotMnemonic;
    for (const Mnemonic* m : byFirstLetter[static_cast<unsigned char>(text[0])])
        if (m->text == text) return m->kind;
    return kNotMnemonic;
}

bool IsJumpKind(int kind) { return kind == kJmp || kind == kJne; }

bool OpcodeWord(int kind, std::uint32_t& word) {
    if (kind < 0 || kind >= static_cast<int>(kOpcodeByKind.size())) return false;
    const OpcodeEntry& entry = kOpcodeByKind[static_cast<std::size_t>(kind)];
    if (!entry.present) return false;
    word = entry.word;
    return true;
}

}  // namespace zarn
