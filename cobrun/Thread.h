#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace cobrun {

// One running script: where it is, its locals, and where its values start on the thread's stack.
struct Frame {
    int script = 0;
    std::int32_t pc = 0;
    std::size_t stackBase = 0;
    std::vector<std::int32_t> locals;  // the arguments first, then what clv declares
    std::size_t declared = 0;          // clv words run so far
};

struct Thread {
    enum class State { kReady, kSleeping, kWaitingTurn, kWaitingMove, kEnded };

    int id = 0;
    std::vector<std::int32_t> stack;
    std::vector<Frame> frames;  // the innermost call last
    std::size_t argumentCount = 0;  // of the script the thread began with
    std::int32_t signalMask = 0;
    State state = State::kReady;
    std::int64_t wakeFrame = 0;
    int waitPiece = 0;
    int waitAxis = 0;
};

}  // namespace cobrun
