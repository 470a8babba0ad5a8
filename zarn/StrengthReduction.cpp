#include "zarn/StrengthReduction.h"

#include "zarn/InstructionSet.h"

#include <cstddef>
#include <cstdint>

namespace zarn {
namespace {

// n with 2^n = x when x is a power of two greater than 1, else 0.
int ShiftFor(std::int32_t x) {
    if (x <= 1 || (x & (x - 1)) != 0) return 0;
    int n = 0;
    while ((std::int32_t{1} << n) != x) ++n;
    return n;
}

// The code words with what code generation knows of them, addressed by signed positions so that
// a pattern may look before the first word.
class Code {
public:
    explicit Code(RunState& state) : state_(state) {}

    std::ptrdiff_t Size() const { return static_cast<std::ptrdiff_t>(state_.code.size()); }
    std::int32_t& operator[](std::ptrdiff_t at) { return state_.code[static_cast<std::size_t>(at)]; }

    bool IsInstruction(std::ptrdiff_t at, std::uint32_t word) const {
        return at >= 0 && state_.instructionStarts[Index(at)] &&
               static_cast<std::uint32_t>(state_.code[Index(at)]) == word;
    }

    // An instruction with one operand word: "pushc X;", "pushl V;" or "pushs V;".
    bool IsPush(std::ptrdiff_t at, std::uint32_t word) const {
        return IsInstruction(at, word) && !state_.instructionStarts[Index(at + 1)];
    }

    // Whether control reaches the words after `first`, up to `last`, only through `first`.
    bool RunsStraight(std::ptrdiff_t first, std::ptrdiff_t last) const {
        for (std::ptrdiff_t at = first + 1; at <= last; ++at)
            if (state_.entryPoints[Index(at)]) return false;
        return true;
    }

private:
    static std::size_t Index(std::ptrdiff_t at) { return static_cast<std::size_t>(at); }
    RunState& state_;
};

// The instruction words as the signed code list holds them.
constexpr std::int32_t kShlCode = static_cast<std::int32_t>(kShlWord);
constexpr std::int32_t kPushcCode = static_cast<std::int32_t>(kPushcWord);

// The multiplication at `q` as a shift, when one of its factors is a pushed power of two.
bool ReduceMultiplication(Code& code, std::ptrdiff_t q) {
    if (code.IsPush(q - 2, kPushcWord) && code.RunsStraight(q - 2, q)) {
        if (int n = ShiftFor(code[q - 1])) {  // pushc X, mul
            code[q - 1] = n;
            code[q] = kShlCode;
            return true;
        }
        if (!code.IsPush(q - 4, kPushcWord) || !code.RunsStraight(q - 4, q)) return false;
        if (int n = ShiftFor(code[q - 3])) {  // pushc Y, pushc X, mul
            code[q - 3] = code[q - 1];
            code[q - 1] = n;
            code[q] = kShlCode;
            return true;
        }
        return false;
    }
    bool pushesVariable = code.IsPush(q - 2, kPushlWord) || code.IsPush(q - 2, kPushsWord);
    if (!pushesVariable || !code.IsPush(q - 4, kPushcWord) || !code.RunsStraight(q - 4, q)) return false;
    int n = ShiftFor(code[q - 3]);
    if (n == 0) return false;  // pushc Y, pushl V (or pushs V), mul
    code[q - 4] = code[q - 2];
    code[q - 3] = code[q - 1];
    code[q - 2] = kPushcCode;
    code[q - 1] = n;
    code[q] = kShlCode;
    return true;
}

}  // namespace

int ReduceStrength(RunState& state) {
    Code code(state);
    int changed = 0;
    for (std::ptrdiff_t q = 0; q < code.Size(); ++q)
        if (code.IsInstruction(q, kMulWord) && ReduceMultiplication(code, q)) ++changed;
    return changed;
}

}  // namespace zarn
