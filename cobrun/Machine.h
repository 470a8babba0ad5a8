#pragma once
#include "cobrun/Pieces.h"
#include "cobrun/Random.h"
#include "cobrun/Run.h"
#include "cobrun/Thread.h"

#include <deque>
#include <map>
#include <optional>
#include <string>

namespace cobrun {

// The unit while it runs: its threads, statics, unit values and pieces. Machine.cpp holds the
// frame loop that schedules threads and moves pieces, Execute.cpp the instructions.
class Machine {
public:
    Machine(const Unit& unit, const RunOptions& options, const EventSink& sink, Recording* recording);
    RunSummary Run();

private:
    // Scheduling
    void StartDueScripts();
    Thread& NewThread(int script, std::vector<std::int32_t> arguments, std::int32_t mask);
    bool Runnable(const Thread& thread) const;
    void MovePieces();
    void WakeWaiters();
    void RecordPieces(const std::vector<int>& slots);

    // Execution
    void RunThread(Thread& thread);
    bool Execute(Thread& thread, std::int64_t& executed, std::int32_t& loopTarget);
    bool PopAll(Thread& thread, int count, std::int32_t* values, std::int32_t at);
    bool Compute(Thread& thread, const Decoded& decoded, std::int32_t operand, std::int32_t at);
    bool CheckPiece(Thread& thread, std::int32_t piece, std::int32_t at);
    bool Animate(Thread& thread, Op op, std::int32_t piece, std::int32_t axis, std::int32_t at);
    bool ActOnPiece(Thread& thread, Op op, std::int32_t piece, std::int32_t at);
    std::optional<std::vector<std::int32_t>> TakeArguments(Thread& thread, const char* verb, int script,
                                                           std::int32_t count, std::int32_t at);
    bool Call(Thread& thread, int script, std::int32_t argumentCount, std::int32_t at);
    bool Start(Thread& thread, int script, std::int32_t argumentCount, std::int32_t at);
    bool Return(Thread& thread, std::int32_t at);
    void Signal(Thread& thread, std::int32_t mask);
    void Trace(const Thread& thread, std::int32_t at);

    // Events
    std::int64_t Now() const;
    void Emit(const Thread* thread, EventKind kind, std::string text, int piece = -1);
    bool Fault(Thread& thread, const std::string& text);
    std::string ScriptOf(const Thread& thread) const;

    const Unit& unit_;
    const RunOptions& options_;
    const EventSink& sink_;
    Recording* recording_;
    Pieces pieces_;
    std::vector<std::int32_t> statics_;
    std::map<std::int32_t, std::int32_t> values_;
    Random random_;
    const std::vector<ScriptStart> starts_;  // in time order
    std::size_t nextStart_ = 0;
    std::deque<Thread> threads_;  // stays put while scripts start new threads
    int nextThreadId_ = 1;
    std::int64_t frame_ = 0;
    RunSummary summary_;
};

// Simulated time in frames of 1000/30 ms.
std::int64_t FrameMs(std::int64_t frame);
// The first frame at or after `ms`.
std::int64_t FrameAt(std::int64_t ms);

}  // namespace cobrun
