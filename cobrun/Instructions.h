#pragma once
#include <cstdint>

namespace cobrun {

// What the machine does with a code word. Each comment gives the values taken from the stack,
// last pushed first, and what is pushed back.
enum class Op : std::uint8_t {
    kUnknown,    // no instruction this machine knows
    kNop,        //
    kClv,        // declares the frame's next local
    kPushc,      // -> constant
    kPushl,      // -> local
    kPushs,      // -> static
    kPopl,       // value ->, into a local
    kPops,       // value ->, into a static
    kBinary,     // b, a -> the result of a and b
    kUnary,      // a -> not a, or neg a
    kRand,       // high, low -> a number from low to high
    kGetuv,      // selector -> unit value
    kGet,        // argument, selector -> unit value
    kSet,        // value, selector ->
    kTurn,       // destination, speed ->
    kMove,       // destination, speed ->
    kTurnNow,    // destination ->
    kMoveNow,    // destination ->
    kSpin,       // acceleration, speed ->
    kStopSpin,   // deceleration ->
    kShow,
    kHide,
    kCache,
    kDontCache,
    kShade,
    kDontShade,
    kSfx,        // effect ->
    kExplode,    // type ->
    kWaitTurn,
    kWaitMove,
    kSleep,      // milliseconds ->
    kSignal,     // mask ->
    kMask,       // mask ->
    kAttach,     // 0, piece, unit ->
    kDrop,       // unit ->
    kCall,       // the arguments, first pushed deepest ->
    kStart,      // the arguments ->
    kJmp,
    kJne,        // value ->, jumps when it is zero
    kRet,        // the return value, when there is one ->
};

struct Decoded {
    Op op = Op::kUnknown;
    std::uint8_t operandCount = 0;  // immediate words after the opcode
    int kind = 0;                   // the assembler's token kind, for kBinary and kUnary
};

// The instruction a code word stands for.
Decoded Decode(std::int32_t word);

}  // namespace cobrun
