#include "cobrun/Machine.h"

#include "cobrun/Units.h"
#include "cobdump/Disassembly.h"
#include "cobdump/InstructionTable.h"
#include "zarn/ConstantFolding.h"

#include <cstdio>

namespace cobrun {
namespace {

constexpr std::size_t kMaxCallDepth = 1000;
constexpr std::size_t kMaxStack = 100000;
constexpr std::size_t kMaxThreads = 10000;

std::string Word(std::int32_t at) { return " at word " + std::to_string(at); }

std::string Hex(std::int32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(word));
    return text;
}

// A frame pops only what it pushed itself.
bool Pop(Thread& thread, std::int32_t& value) {
    if (thread.stack.size() <= thread.frames.back().stackBase) return false;
    value = thread.stack.back();
    thread.stack.pop_back();
    return true;
}

const char* PieceVerb(Op op) {
    switch (op) {
        case Op::kShow: return "show ";
        case Op::kHide: return "hide ";
        case Op::kCache: return "cache ";
        case Op::kDontCache: return "dont-cache ";
        case Op::kShade: return "shade ";
        default: return "dont-shade ";
    }
}

std::string Plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

bool Machine::Fault(Thread& thread, const std::string& text) {
    Emit(&thread, EventKind::kFault, text);
    thread.state = Thread::State::kEnded;
    return false;
}

void Machine::RunThread(Thread& thread) {
    thread.state = Thread::State::kReady;
    std::int64_t executed = 0;
    std::int32_t loopTarget = -1;  // the last backward jump, where a runaway loop most likely is
    while (thread.state == Thread::State::kReady) {
        if (executed == options_.budget) {
            Fault(thread, std::to_string(options_.budget) + " instructions without yielding" +
                              (loopTarget >= 0 ? " (loop at word " + std::to_string(loopTarget) + "?)" : ""));
            break;
        }
        if (!Execute(thread, executed, loopTarget)) break;
    }
    summary_.instructions += executed;
}

// Runs instructions of the innermost frame until the thread yields, ends, calls, returns or
// the budget is spent; false when the thread gave up running in this frame or ended.
bool Machine::Execute(Thread& thread, std::int64_t& executed, std::int32_t& loopTarget) {
    Frame& frame = thread.frames.back();
    const std::vector<std::int32_t>& code = unit_.file.code;
    const std::int32_t begin = unit_.file.scriptStarts[static_cast<std::size_t>(frame.script)];
    const std::int32_t end = unit_.file.ScriptEnd(frame.script);
    while (executed < options_.budget) {
        const std::int32_t at = frame.pc;
        if (at >= end) return Fault(thread, "ran off the end of the script without ret" + Word(at));
        const Decoded d = unit_.decoded[static_cast<std::size_t>(at)];
        if (at + d.operandCount >= end) return Fault(thread, "ran off the end of the script without ret" + Word(at));
        const std::int32_t a1 = d.operandCount > 0 ? code[static_cast<std::size_t>(at) + 1] : 0;
        const std::int32_t a2 = d.operandCount > 1 ? code[static_cast<std::size_t>(at) + 2] : 0;
        frame.pc = at + 1 + d.operandCount;
        ++executed;
        if (options_.trace) Trace(thread, at);
        bool goesOn = true;
        switch (d.op) {
            case Op::kJmp:
            case Op::kJne: {
                std::int32_t value = 0;
                if (d.op == Op::kJne && !Pop(thread, value)) return Fault(thread, "stack underflow" + Word(at));
                if (value != 0) break;
                if (a1 < begin || a1 >= end)
                    return Fault(thread, "jump to word " + std::to_string(a1) + " outside the script" + Word(at));
                if (a1 <= at) loopTarget = a1;
                frame.pc = a1;
                break;
            }
            case Op::kCall: return Call(thread, a1, a2, at);
            case Op::kRet: return Return(thread, at);
            case Op::kStart: goesOn = Start(thread, a1, a2, at); break;
            case Op::kTurn:
            case Op::kMove:
            case Op::kTurnNow:
            case Op::kMoveNow:
            case Op::kSpin:
            case Op::kStopSpin:
            case Op::kWaitTurn:
            case Op::kWaitMove: goesOn = Animate(thread, d.op, a1, a2, at); break;
            case Op::kShow:
            case Op::kHide:
            case Op::kCache:
            case Op::kDontCache:
            case Op::kShade:
            case Op::kDontShade:
            case Op::kSfx:
            case Op::kExplode: goesOn = ActOnPiece(thread, d.op, a1, at); break;
            default: goesOn = Compute(thread, d, a1, at); break;
        }
        if (!goesOn) return false;
        if (thread.stack.size() > kMaxStack)
            return Fault(thread, "more than " + std::to_string(kMaxStack) + " values on the stack" + Word(at));
    }
    return true;
}

// Pops the values an instruction takes, the one pushed last into `values[0]`.
bool Machine::PopAll(Thread& thread, int count, std::int32_t* values, std::int32_t at) {
    for (int i = 0; i < count; ++i)
        if (!Pop(thread, values[i])) return Fault(thread, "stack underflow" + Word(at));
    return true;
}

// The instructions that work on the stack, the variables and the unit values, and those that
// only show up in the timeline.
bool Machine::Compute(Thread& thread, const Decoded& d, std::int32_t a1, std::int32_t at) {
    std::vector<std::int32_t>& stack = thread.stack;
    Frame& frame = thread.frames.back();
    std::int32_t v[3] = {0, 0, 0};
    switch (d.op) {
        case Op::kNop: return true;
        case Op::kClv:
            if (frame.declared++ >= frame.locals.size()) frame.locals.push_back(0);
            return true;
        case Op::kPushc: stack.push_back(a1); return true;
        case Op::kPushl:
        case Op::kPopl:
        case Op::kPushs:
        case Op::kPops: {
            const bool local = d.op == Op::kPushl || d.op == Op::kPopl;
            std::vector<std::int32_t>& variables = local ? frame.locals : statics_;
            if (a1 < 0 || static_cast<std::size_t>(a1) >= variables.size())
                return Fault(thread, (local ? "local " : "static ") + std::to_string(a1) +
                                         (local ? " was never declared" : " does not exist") + Word(at));
            std::int32_t& variable = variables[static_cast<std::size_t>(a1)];
            if (d.op == Op::kPushl || d.op == Op::kPushs) {
                stack.push_back(variable);
                return true;
            }
            return PopAll(thread, 1, &variable, at);
        }
        case Op::kBinary: {
            if (!PopAll(thread, 2, v, at)) return false;
            std::optional<std::int32_t> r = zarn::BinaryResult(d.kind, v[1], v[0]);
            if (!r && v[0] == 0) return Fault(thread, "division by zero" + Word(at));
            stack.push_back(r.value_or(v[1]));  // the smallest number divided by -1 wraps round to itself
            return true;
        }
        case Op::kUnary:
            if (!PopAll(thread, 1, v, at)) return false;
            stack.push_back(*zarn::UnaryResult(d.kind, v[0]));
            return true;
        case Op::kRand:
            if (!PopAll(thread, 2, v, at)) return false;
            stack.push_back(random_.Between(v[1], v[0]));
            return true;
        case Op::kGet:
        case Op::kGetuv: {
            // The code does not say how many arguments a get has; this machine takes one.
            if (!PopAll(thread, d.op == Op::kGet ? 2 : 1, v, at)) return false;
            auto found = values_.find(d.op == Op::kGet ? v[1] : v[0]);
            stack.push_back(found == values_.end() ? 0 : found->second);
            return true;
        }
        case Op::kSet:
            if (!PopAll(thread, 2, v, at)) return false;
            values_[v[1]] = v[0];
            Emit(&thread, EventKind::kAction, "set " + std::to_string(v[1]) + " to " + std::to_string(v[0]));
            return true;
        case Op::kSleep:
            if (!PopAll(thread, 1, v, at)) return false;
            thread.state = Thread::State::kSleeping;
            thread.wakeFrame = std::max(frame_ + 1, FrameAt(Now() + v[0]));
            Emit(&thread, EventKind::kAction, "sleep " + std::to_string(v[0]) + " ms");
            return false;
        case Op::kSignal:
            if (!PopAll(thread, 1, v, at)) return false;
            Signal(thread, v[0]);
            return true;
        case Op::kMask:
            if (!PopAll(thread, 1, v, at)) return false;
            thread.signalMask = v[0];
            Emit(&thread, EventKind::kAction, "set-signal-mask " + std::to_string(v[0]));
            return true;
        case Op::kAttach:
            if (!PopAll(thread, 3, v, at)) return false;
            Emit(&thread, EventKind::kAction, "attach-unit " + std::to_string(v[2]) + " to piece " + std::to_string(v[1]));
            return true;
        case Op::kDrop:
            if (!PopAll(thread, 1, v, at)) return false;
            Emit(&thread, EventKind::kAction, "drop-unit " + std::to_string(v[0]));
            return true;
        default: {
            const std::int32_t word = unit_.file.code[static_cast<std::size_t>(at)];
            const cobdump::InstructionInfo* info = cobdump::FindInstruction(word);
            return Fault(thread, (info ? std::string(info->mnemonic) + " is an instruction this machine does not model"
                                       : "unknown instruction word " + Hex(word)) + Word(at));
        }
    }
}

bool Machine::CheckPiece(Thread& thread, std::int32_t piece, std::int32_t at) {
    return (piece >= 0 && piece < unit_.PieceCount()) ||
           Fault(thread, "piece " + std::to_string(piece) + " does not exist" + Word(at));
}

// Turns, moves, spins and the waits for them.
bool Machine::Animate(Thread& thread, Op op, std::int32_t piece, std::int32_t axis, std::int32_t at) {
    if (!CheckPiece(thread, piece, at)) return false;
    if (axis < 0 || axis >= kAxes) return Fault(thread, "axis " + std::to_string(axis) + " does not exist" + Word(at));
    const std::string where = unit_.file.pieceNames[static_cast<std::size_t>(piece)] + " " + AxisName(axis);
    // v[0] is the value pushed last: the destination, the acceleration or the deceleration.
    std::int32_t v[2] = {0, 0};
    const int taken = op == Op::kTurn || op == Op::kMove || op == Op::kSpin ? 2 : op == Op::kWaitTurn || op == Op::kWaitMove ? 0 : 1;
    if (!PopAll(thread, taken, v, at)) return false;
    std::string text;
    switch (op) {
        case Op::kTurn:
            pieces_.Turn(piece, axis, v[0], v[1]);
            text = "turn " + where + " to " + DegreesText(v[0]) + " deg at " + DegreesText(v[1]) + " deg/s";
            break;
        case Op::kMove:
            pieces_.Move(piece, axis, v[0], v[1]);
            text = "move " + where + " to " + LengthsText(v[0]) + " at " + LengthsText(v[1]) + "/s";
            break;
        case Op::kTurnNow:
            pieces_.TurnNow(piece, axis, v[0]);
            text = "turn " + where + " to " + DegreesText(v[0]) + " deg now";
            break;
        case Op::kMoveNow:
            pieces_.MoveNow(piece, axis, v[0]);
            text = "move " + where + " to " + LengthsText(v[0]) + " now";
            break;
        case Op::kSpin:
            pieces_.Spin(piece, axis, v[1], v[0]);
            text = "spin " + where + " at " + DegreesText(v[1]) + " deg/s" + (v[0] != 0 ? ", accelerating " + DegreesText(v[0]) + " deg/s2" : "");
            break;
        case Op::kStopSpin:
            pieces_.StopSpin(piece, axis, v[0]);
            text = "stop-spin " + where + (v[0] != 0 ? ", decelerating " + DegreesText(v[0]) + " deg/s2" : "");
            break;
        default: {
            const bool turn = op == Op::kWaitTurn;
            if (turn ? !pieces_.IsTurning(piece, axis) : !pieces_.IsMoving(piece, axis)) return true;
            thread.state = turn ? Thread::State::kWaitingTurn : Thread::State::kWaitingMove;
            thread.waitPiece = piece;
            thread.waitAxis = axis;
            Emit(&thread, EventKind::kAction, (turn ? "wait-for-turn " : "wait-for-move ") + where, piece);
            return false;
        }
    }
    Emit(&thread, EventKind::kAction, std::move(text), piece);
    return true;
}

// show, hide, cache, dont-cache, shade, dont-shade, emit-sfx and explode.
bool Machine::ActOnPiece(Thread& thread, Op op, std::int32_t piece, std::int32_t at) {
    if (!CheckPiece(thread, piece, at)) return false;
    const std::string& name = unit_.file.pieceNames[static_cast<std::size_t>(piece)];
    std::int32_t value = 0;
    if ((op == Op::kSfx || op == Op::kExplode) && !PopAll(thread, 1, &value, at)) return false;
    std::string text = op == Op::kSfx       ? "emit-sfx " + std::to_string(value) + " from " + name
                       : op == Op::kExplode ? "explode " + name + " type " + std::to_string(value)
                                            : PieceVerb(op) + name;
    Emit(&thread, EventKind::kAction, std::move(text), piece);
    return true;
}

std::optional<std::vector<std::int32_t>> Machine::TakeArguments(Thread& thread, const char* verb, int script,
                                                               std::int32_t count, std::int32_t at) {
    std::vector<std::int32_t>& stack = thread.stack;
    if (script < 0 || script >= unit_.ScriptCount()) {
        Fault(thread, std::string(verb) + " of script " + std::to_string(script) + ", which does not exist," + Word(at));
        return std::nullopt;
    }
    if (count < 0 || static_cast<std::size_t>(count) > stack.size() - thread.frames.back().stackBase) {
        Fault(thread, "stack underflow" + Word(at));
        return std::nullopt;
    }
    std::vector<std::int32_t> arguments(stack.end() - count, stack.end());
    stack.resize(stack.size() - static_cast<std::size_t>(count));
    return arguments;
}

bool Machine::Call(Thread& thread, int script, std::int32_t argumentCount, std::int32_t at) {
    if (thread.frames.size() >= kMaxCallDepth)
        return Fault(thread, "calls nest deeper than " + std::to_string(kMaxCallDepth) + Word(at));
    std::optional<std::vector<std::int32_t>> arguments = TakeArguments(thread, "call", script, argumentCount, at);
    if (!arguments) return false;
    Emit(&thread, EventKind::kThread, "call-script " + unit_.ScriptName(script) + ValueList(*arguments));
    Frame callee;
    callee.script = script;
    callee.pc = unit_.file.scriptStarts[static_cast<std::size_t>(script)];
    callee.locals = std::move(*arguments);
    callee.stackBase = thread.stack.size();
    thread.frames.push_back(std::move(callee));
    return true;
}

bool Machine::Start(Thread& thread, int script, std::int32_t argumentCount, std::int32_t at) {
    if (threads_.size() >= kMaxThreads)
        return Fault(thread, "more than " + std::to_string(kMaxThreads) + " threads" + Word(at));
    std::optional<std::vector<std::int32_t>> arguments = TakeArguments(thread, "start", script, argumentCount, at);
    if (!arguments) return false;
    const std::string call = unit_.ScriptName(script) + ValueList(*arguments);
    // A started script inherits the signal mask, so that a signal stops what its starter began.
    const Thread& started = NewThread(script, std::move(*arguments), thread.signalMask);
    Emit(&thread, EventKind::kThread, "start-script " + call + " as #" + std::to_string(started.id));
    return true;
}

bool Machine::Return(Thread& thread, std::int32_t at) {
    Frame& frame = thread.frames.back();
    const std::size_t left = thread.stack.size() - frame.stackBase;
    const std::int32_t value = left > 0 ? thread.stack.back() : 0;
    if (left > 1)
        Emit(&thread, EventKind::kWarning, Plural(left - 1, "value", "values") + " left on the stack by ret" + Word(at));
    thread.stack.resize(frame.stackBase);
    if (thread.frames.size() > 1) {
        thread.frames.pop_back();  // the caller gets no value: a call pushes nothing
        return true;
    }
    std::string text = "ends, returning " + std::to_string(value);
    if (thread.argumentCount > 0) {
        // The arguments as the script left them: the game reads some scripts' answers there.
        const std::vector<std::int32_t>& locals = thread.frames.front().locals;
        text += ", arguments now " + ValueList({locals.begin(), locals.begin() + static_cast<std::ptrdiff_t>(thread.argumentCount)});
    }
    Emit(&thread, EventKind::kThread, text);
    thread.state = Thread::State::kEnded;
    return false;
}

void Machine::Signal(Thread& thread, std::int32_t mask) {
    std::string killed;
    for (Thread& other : threads_) {
        if (&other == &thread || other.state == Thread::State::kEnded || (other.signalMask & mask) == 0) continue;
        other.state = Thread::State::kEnded;
        killed += (killed.empty() ? " kills #" : ", #") + std::to_string(other.id) + " " + ScriptOf(other);
    }
    Emit(&thread, EventKind::kAction, "signal " + std::to_string(mask) + (killed.empty() ? ", no thread to kill" : killed));
}

void Machine::Trace(const Thread& thread, std::int32_t at) {
    const std::vector<std::int32_t>& code = unit_.file.code;
    const cobdump::InstructionInfo* info = cobdump::FindInstruction(code[static_cast<std::size_t>(at)]);
    std::string text = "word " + std::to_string(at) + "  " + (info ? std::string(info->mnemonic) : Hex(code[static_cast<std::size_t>(at)]));
    for (int i = 0; info != nullptr && i < info->operandCount; ++i) {
        const std::int32_t value = code[static_cast<std::size_t>(at) + 1 + static_cast<std::size_t>(i)];
        std::optional<std::string> name = cobdump::OperandName(unit_.file, info->operands[static_cast<std::size_t>(i)], value);
        text += " " + name.value_or(std::to_string(value));
    }
    text += "  stack";
    const std::size_t base = thread.frames.back().stackBase;
    if (thread.stack.size() == base) text += " empty";
    for (std::size_t i = base; i < thread.stack.size(); ++i) text += " " + std::to_string(thread.stack[i]);
    Emit(&thread, EventKind::kTrace, std::move(text));
}

}  // namespace cobrun
