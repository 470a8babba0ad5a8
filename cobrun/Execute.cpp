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
// the budget is spent; false when the thread stopped.
bool Machine::Execute(Thread& thread, std::int64_t& executed, std::int32_t& loopTarget) {
    Frame& frame = thread.frames.back();
    std::vector<std::int32_t>& stack = thread.stack;
    const std::vector<std::int32_t>& code = unit_.file.code;
    const std::int32_t begin = unit_.file.scriptStarts[static_cast<std::size_t>(frame.script)];
    const std::int32_t end = unit_.file.ScriptEnd(frame.script);
    const std::size_t base = frame.stackBase;
    std::int32_t pc = frame.pc;

    auto pop = [&](std::int32_t& value) {
        if (stack.size() <= base) return false;
        value = stack.back();
        stack.pop_back();
        return true;
    };
    auto pieceOk = [&](std::int32_t piece) { return piece >= 0 && piece < unit_.PieceCount(); };

    while (executed < options_.budget) {
        if (pc >= end) return Fault(thread, "ran off the end of the script without ret" + Word(pc));
        const std::int32_t at = pc;
        const Decoded d = unit_.decoded[static_cast<std::size_t>(pc)];
        if (pc + d.operandCount >= end) return Fault(thread, "ran off the end of the script without ret" + Word(pc));
        const std::int32_t a1 = d.operandCount > 0 ? code[static_cast<std::size_t>(pc) + 1] : 0;
        const std::int32_t a2 = d.operandCount > 1 ? code[static_cast<std::size_t>(pc) + 2] : 0;
        pc += 1 + d.operandCount;
        ++executed;
        frame.pc = pc;
        if (options_.trace) Trace(thread, at);

        std::int32_t x = 0, y = 0, z = 0;
        switch (d.op) {
            case Op::kNop: break;
            case Op::kClv:
                if (frame.declared++ >= frame.locals.size()) frame.locals.push_back(0);
                break;
            case Op::kPushc: stack.push_back(a1); break;
            case Op::kPushl:
            case Op::kPopl:
                if (a1 < 0 || static_cast<std::size_t>(a1) >= frame.locals.size())
                    return Fault(thread, "local " + std::to_string(a1) + " was never declared" + Word(at));
                if (d.op == Op::kPushl) {
                    stack.push_back(frame.locals[static_cast<std::size_t>(a1)]);
                } else {
                    if (!pop(x)) return Fault(thread, "stack underflow" + Word(at));
                    frame.locals[static_cast<std::size_t>(a1)] = x;
                }
                break;
            case Op::kPushs:
            case Op::kPops:
                if (a1 < 0 || static_cast<std::size_t>(a1) >= statics_.size())
                    return Fault(thread, "static " + std::to_string(a1) + " does not exist" + Word(at));
                if (d.op == Op::kPushs) {
                    stack.push_back(statics_[static_cast<std::size_t>(a1)]);
                } else {
                    if (!pop(x)) return Fault(thread, "stack underflow" + Word(at));
                    statics_[static_cast<std::size_t>(a1)] = x;
                }
                break;
            case Op::kBinary: {
                if (!pop(y) || !pop(x)) return Fault(thread, "stack underflow" + Word(at));
                std::optional<std::int32_t> r = zarn::BinaryResult(d.kind, x, y);
                if (!r) {
                    if (y == 0) return Fault(thread, "division by zero" + Word(at));
                    r = x;  // the smallest number divided by -1 wraps round to itself
                }
                stack.push_back(*r);
                break;
            }
            case Op::kUnary:
                if (!pop(x)) return Fault(thread, "stack underflow" + Word(at));
                stack.push_back(*zarn::UnaryResult(d.kind, x));
                break;
            case Op::kRand:
                if (!pop(y) || !pop(x)) return Fault(thread, "stack underflow" + Word(at));
                stack.push_back(random_.Between(x, y));
                break;
            case Op::kGet:
                if (!pop(y)) return Fault(thread, "stack underflow" + Word(at));
                [[fallthrough]];
            case Op::kGetuv: {
                if (!pop(x)) return Fault(thread, "stack underflow" + Word(at));
                auto found = values_.find(x);
                stack.push_back(found == values_.end() ? 0 : found->second);
                break;
            }
            case Op::kSet:
                if (!pop(y) || !pop(x)) return Fault(thread, "stack underflow" + Word(at));
                values_[x] = y;
                Emit(&thread, EventKind::kAction, "set " + std::to_string(x) + " to " + std::to_string(y));
                break;
            case Op::kTurn:
            case Op::kMove:
            case Op::kTurnNow:
            case Op::kMoveNow:
            case Op::kSpin:
            case Op::kStopSpin:
            case Op::kWaitTurn:
            case Op::kWaitMove: {
                if (!pieceOk(a1)) return Fault(thread, "piece " + std::to_string(a1) + " does not exist" + Word(at));
                if (a2 < 0 || a2 >= kAxes) return Fault(thread, "axis " + std::to_string(a2) + " does not exist" + Word(at));
                const std::string where = unit_.file.pieceNames[static_cast<std::size_t>(a1)] + " " + AxisName(a2);
                const bool takesTwo = d.op == Op::kTurn || d.op == Op::kMove || d.op == Op::kSpin;
                const bool takesOne = takesTwo || d.op == Op::kTurnNow || d.op == Op::kMoveNow || d.op == Op::kStopSpin;
                if ((takesOne && !pop(x)) || (takesTwo && !pop(y))) return Fault(thread, "stack underflow" + Word(at));
                // x is the value pushed last: the destination, the acceleration or the deceleration.
                switch (d.op) {
                    case Op::kTurn:
                        pieces_.Turn(a1, a2, x, y);
                        Emit(&thread, EventKind::kAction, "turn " + where + " to " + DegreesText(x) + " deg at " + DegreesText(y) + " deg/s", a1);
                        break;
                    case Op::kMove:
                        pieces_.Move(a1, a2, x, y);
                        Emit(&thread, EventKind::kAction, "move " + where + " to " + LengthsText(x) + " at " + LengthsText(y) + "/s", a1);
                        break;
                    case Op::kTurnNow:
                        pieces_.TurnNow(a1, a2, x);
                        Emit(&thread, EventKind::kAction, "turn " + where + " to " + DegreesText(x) + " deg now", a1);
                        break;
                    case Op::kMoveNow:
                        pieces_.MoveNow(a1, a2, x);
                        Emit(&thread, EventKind::kAction, "move " + where + " to " + LengthsText(x) + " now", a1);
                        break;
                    case Op::kSpin:
                        pieces_.Spin(a1, a2, y, x);
                        Emit(&thread, EventKind::kAction, "spin " + where + " at " + DegreesText(y) + " deg/s" +
                             (x != 0 ? ", accelerating " + DegreesText(x) + " deg/s2" : ""), a1);
                        break;
                    case Op::kStopSpin:
                        pieces_.StopSpin(a1, a2, x);
                        Emit(&thread, EventKind::kAction, "stop-spin " + where + (x != 0 ? ", decelerating " + DegreesText(x) + " deg/s2" : ""), a1);
                        break;
                    default: {
                        const bool turn = d.op == Op::kWaitTurn;
                        if (turn ? !pieces_.IsTurning(a1, a2) : !pieces_.IsMoving(a1, a2)) break;
                        thread.state = turn ? Thread::State::kWaitingTurn : Thread::State::kWaitingMove;
                        thread.waitPiece = a1;
                        thread.waitAxis = a2;
                        Emit(&thread, EventKind::kAction, (turn ? "wait-for-turn " : "wait-for-move ") + where, a1);
                        return false;
                    }
                }
                break;
            }
            case Op::kShow:
            case Op::kHide:
            case Op::kCache:
            case Op::kDontCache:
            case Op::kShade:
            case Op::kDontShade:
            case Op::kSfx:
            case Op::kExplode: {
                if (!pieceOk(a1)) return Fault(thread, "piece " + std::to_string(a1) + " does not exist" + Word(at));
                const std::string& piece = unit_.file.pieceNames[static_cast<std::size_t>(a1)];
                if ((d.op == Op::kSfx || d.op == Op::kExplode) && !pop(x)) return Fault(thread, "stack underflow" + Word(at));
                static const char* const verbs[] = {"show ", "hide ", "cache ", "dont-cache ", "shade ", "dont-shade "};
                std::string text = d.op == Op::kSfx       ? "emit-sfx " + std::to_string(x) + " from " + piece
                                   : d.op == Op::kExplode ? "explode " + piece + " type " + std::to_string(x)
                                                          : verbs[static_cast<int>(d.op) - static_cast<int>(Op::kShow)] + piece;
                Emit(&thread, EventKind::kAction, std::move(text), a1);
                break;
            }
            case Op::kSleep:
                if (!pop(x)) return Fault(thread, "stack underflow" + Word(at));
                thread.state = Thread::State::kSleeping;
                thread.wakeFrame = std::max(frame_ + 1, FrameAt(Now() + x));
                Emit(&thread, EventKind::kAction, "sleep " + std::to_string(x) + " ms");
                return false;
            case Op::kSignal:
                if (!pop(x)) return Fault(thread, "stack underflow" + Word(at));
                Signal(thread, x);
                break;
            case Op::kMask:
                if (!pop(x)) return Fault(thread, "stack underflow" + Word(at));
                thread.signalMask = x;
                Emit(&thread, EventKind::kAction, "set-signal-mask " + std::to_string(x));
                break;
            case Op::kAttach:
                if (!pop(z) || !pop(y) || !pop(x)) return Fault(thread, "stack underflow" + Word(at));
                Emit(&thread, EventKind::kAction, "attach-unit " + std::to_string(x) + " to piece " + std::to_string(y));
                break;
            case Op::kDrop:
                if (!pop(x)) return Fault(thread, "stack underflow" + Word(at));
                Emit(&thread, EventKind::kAction, "drop-unit " + std::to_string(x));
                break;
            case Op::kJmp:
            case Op::kJne:
                if (d.op == Op::kJne) {
                    if (!pop(x)) return Fault(thread, "stack underflow" + Word(at));
                    if (x != 0) break;
                }
                if (a1 < begin || a1 >= end)
                    return Fault(thread, "jump to word " + std::to_string(a1) + " outside the script" + Word(at));
                if (a1 <= at) loopTarget = a1;
                pc = a1;
                frame.pc = pc;
                break;
            case Op::kCall: return Call(thread, a1, a2, at);
            case Op::kStart:
                if (!Start(thread, a1, a2, at)) return false;
                break;
            case Op::kRet: return Return(thread, at);
            case Op::kUnknown: {
                const cobdump::InstructionInfo* info = cobdump::FindInstruction(code[static_cast<std::size_t>(at)]);
                return Fault(thread, (info ? std::string(info->mnemonic) + " is an instruction this machine does not model"
                                           : "unknown instruction word " + Hex(code[static_cast<std::size_t>(at)])) + Word(at));
            }
        }
        if (stack.size() > kMaxStack) return Fault(thread, "more than " + std::to_string(kMaxStack) + " values on the stack" + Word(at));
    }
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
