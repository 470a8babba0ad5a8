#include "cobrun/Instructions.h"

#include "cobdump/InstructionTable.h"
#include "zarn/ConstantFolding.h"
#include "zarn/InstructionSet.h"

#include <string_view>
#include <unordered_map>

namespace cobrun {
namespace {

const std::unordered_map<std::string_view, Op>& OpsByMnemonic() {
    static const std::unordered_map<std::string_view, Op> ops{
        {"nop", Op::kNop},
        {"clv", Op::kClv},
        {"pushc", Op::kPushc},
        {"pushl", Op::kPushl},
        {"pushs", Op::kPushs},
        {"popl", Op::kPopl},
        {"pops", Op::kPops},
        {"rand", Op::kRand},
        {"getuv", Op::kGetuv},
        {"get", Op::kGet},
        {"set", Op::kSet},
        {"turn", Op::kTurn},
        {"move", Op::kMove},
        {"turnnow", Op::kTurnNow},
        {"movenow", Op::kMoveNow},
        {"spin", Op::kSpin},
        {"stop-spin", Op::kStopSpin},
        {"show", Op::kShow},
        {"hide", Op::kHide},
        {"cache", Op::kCache},
        {"dont-cache", Op::kDontCache},
        {"shade", Op::kShade},
        {"dont-shade", Op::kDontShade},
        {"sfx", Op::kSfx},
        {"explode", Op::kExplode},
        {"wait-for-turn", Op::kWaitTurn},
        {"wait-for-move", Op::kWaitMove},
        {"sleep", Op::kSleep},
        {"sig", Op::kSignal},
        {"mask", Op::kMask},
        {"attach", Op::kAttach},
        {"drop", Op::kDrop},
        {"call", Op::kCall},
        {"start", Op::kStart},
        {"jmp", Op::kJmp},
        {"jne", Op::kJne},
        {"ret", Op::kRet},
    };
    return ops;
}

}  // namespace

Decoded Decode(std::int32_t word) {
    const cobdump::InstructionInfo* info = cobdump::FindInstruction(word);
    if (info == nullptr) return {};
    Decoded decoded;
    decoded.operandCount = static_cast<std::uint8_t>(info->operandCount);
    // The arithmetic words are whatever the constant folder knows how to compute.
    const int kind = zarn::MnemonicKind(info->mnemonic);
    if (zarn::BinaryResult(kind, 1, 1)) {
        decoded.op = Op::kBinary;
        decoded.kind = kind;
    } else if (zarn::UnaryResult(kind, 0)) {
        decoded.op = Op::kUnary;
        decoded.kind = kind;
    } else if (auto found = OpsByMnemonic().find(info->mnemonic); found != OpsByMnemonic().end()) {
        decoded.op = found->second;
    }
    return decoded;
}

}  // namespace cobrun
