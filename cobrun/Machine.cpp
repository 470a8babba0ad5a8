#include "cobrun/Machine.h"

#include "cobrun/Units.h"

#include <algorithm>

namespace cobrun {
namespace {

constexpr std::int64_t kFramesPerSecond = 30;

// Starts in time order; starts at the same time keep the order they were given in.
std::vector<ScriptStart> SortedStarts(std::vector<ScriptStart> starts) {
    std::stable_sort(starts.begin(), starts.end(),
                     [](const ScriptStart& a, const ScriptStart& b) { return a.ms < b.ms; });
    return starts;
}

}  // namespace

std::int64_t FrameMs(std::int64_t frame) { return frame * 1000 / kFramesPerSecond; }
std::int64_t FrameAt(std::int64_t ms) { return ms <= 0 ? 0 : (ms * kFramesPerSecond + 999) / 1000; }

Machine::Machine(const Unit& unit, const RunOptions& options, const EventSink& sink, Recording* recording)
    : unit_(unit),
      options_(options),
      sink_(sink),
      recording_(recording),
      pieces_(unit.PieceCount()),
      statics_(static_cast<std::size_t>(std::max(0, unit.file.header.staticVarCount))),
      values_(options.values),
      random_(options.seed),
      starts_(SortedStarts(options.starts)) {
    if (recording_ == nullptr) return;
    recording_->pieces.resize(static_cast<std::size_t>(unit.PieceCount()));
    for (int p = 0; p < unit.PieceCount(); ++p) {
        PieceTrack& track = recording_->pieces[static_cast<std::size_t>(p)];
        track.name = unit.file.pieceNames[static_cast<std::size_t>(p)];
        for (AxisTrack& axis : track.axes) {
            axis.angle.push_back({0, 0});
            axis.position.push_back({0, 0});
        }
    }
}

RunSummary Machine::Run() {
    for (frame_ = 0;; ++frame_) {
        if (frame_ > 0) {
            MovePieces();
            WakeWaiters();
        }
        StartDueScripts();
        for (std::size_t i = 0; i < threads_.size(); ++i)
            if (Runnable(threads_[i])) RunThread(threads_[i]);
        threads_.erase(std::remove_if(threads_.begin(), threads_.end(),
                                      [](const Thread& t) { return t.state == Thread::State::kEnded; }),
                       threads_.end());
        summary_.endMs = Now();
        const bool settled = threads_.empty() && nextStart_ == starts_.size() && !pieces_.AnyComingToRest();
        if (settled) break;
        if (FrameMs(frame_ + 1) > options_.untilMs) {
            summary_.timeUp = true;
            break;
        }
    }
    summary_.statics = statics_;
    if (recording_ != nullptr) recording_->endMs = summary_.endMs;
    return summary_;
}

void Machine::StartDueScripts() {
    for (; nextStart_ < starts_.size() && FrameAt(starts_[nextStart_].ms) <= frame_; ++nextStart_) {
        const ScriptStart& start = starts_[nextStart_];
        const int script = unit_.FindScript(start.name);
        if (script < 0) continue;  // the caller checks the names
        Thread& thread = NewThread(script, start.arguments, 0);
        Emit(&thread, EventKind::kThread, "begins " + ValueList(start.arguments));
    }
}

Thread& Machine::NewThread(int script, std::vector<std::int32_t> arguments, std::int32_t mask) {
    Thread& thread = threads_.emplace_back();
    thread.id = nextThreadId_++;
    thread.signalMask = mask;
    thread.argumentCount = arguments.size();
    Frame frame;
    frame.script = script;
    frame.pc = unit_.file.scriptStarts[static_cast<std::size_t>(script)];
    frame.locals = std::move(arguments);
    thread.frames.push_back(std::move(frame));
    return thread;
}

bool Machine::Runnable(const Thread& thread) const {
    return thread.state == Thread::State::kReady ||
           (thread.state == Thread::State::kSleeping && thread.wakeFrame <= frame_);
}

void Machine::MovePieces() {
    std::vector<int> changed;
    const std::vector<Arrival> arrivals = pieces_.Step(1.0 / kFramesPerSecond, changed);
    for (const Arrival& arrival : arrivals) {
        const AxisState& state = pieces_.State(arrival.piece, arrival.axis);
        std::string text = unit_.file.pieceNames[static_cast<std::size_t>(arrival.piece)] + " " + AxisName(arrival.axis);
        switch (arrival.kind) {
            case Arrival::Kind::kTurned: text += " turned to " + DegreesText(state.angle) + " deg"; break;
            case Arrival::Kind::kMoved: text += " moved to " + LengthsText(state.position); break;
            case Arrival::Kind::kSpinStopped: text += " stopped spinning at " + DegreesText(state.angle) + " deg"; break;
        }
        Emit(nullptr, EventKind::kRest, text, arrival.piece);
    }
    if (recording_ != nullptr) RecordPieces(changed);
}

void Machine::WakeWaiters() {
    for (Thread& thread : threads_) {
        if ((thread.state == Thread::State::kWaitingTurn && !pieces_.IsTurning(thread.waitPiece, thread.waitAxis)) ||
            (thread.state == Thread::State::kWaitingMove && !pieces_.IsMoving(thread.waitPiece, thread.waitAxis)))
            thread.state = Thread::State::kReady;
    }
}

void Machine::RecordPieces(const std::vector<int>& slots) {
    const auto now = static_cast<double>(Now());
    const auto before = static_cast<double>(FrameMs(frame_ - 1));
    auto add = [&](std::vector<Sample>& samples, double value) {
        if (value == samples.back().value) return;
        // A value held since an earlier sample first gets a sample at the frame before, so that
        // the chart draws the hold flat and the change as it happened.
        if (samples.back().ms < before) samples.push_back({before, samples.back().value});
        samples.push_back({now, value});
    };
    for (int slot : slots) {
        const int piece = slot / kAxes;
        const int axis = slot % kAxes;
        const AxisState& state = pieces_.State(piece, axis);
        PieceTrack& track = recording_->pieces[static_cast<std::size_t>(piece)];
        AxisTrack& samples = track.axes[static_cast<std::size_t>(axis)];
        add(samples.angle, Degrees(state.angle));
        add(samples.position, Lengths(state.position));
        track.moved = true;
    }
}

std::int64_t Machine::Now() const { return FrameMs(frame_); }

void Machine::Emit(const Thread* thread, EventKind kind, std::string text, int piece) {
    Event event;
    event.ms = Now();
    event.kind = kind;
    event.text = std::move(text);
    event.piece = piece;
    if (thread != nullptr) {
        event.thread = thread->id;
        event.script = ScriptOf(*thread);
    }
    if (kind == EventKind::kFault) ++summary_.faults;
    if (kind == EventKind::kWarning) ++summary_.warnings;
    if (recording_ != nullptr && kind != EventKind::kTrace) {
        recording_->events.push_back(event);
        if (piece >= 0) recording_->pieces[static_cast<std::size_t>(piece)].events.push_back(event);
    }
    sink_(event);
}

std::string Machine::ScriptOf(const Thread& thread) const { return unit_.ScriptName(thread.frames.back().script); }

RunSummary Run(const Unit& unit, const RunOptions& options, const EventSink& sink, Recording* recording) {
    return Machine(unit, options, sink, recording).Run();
}

}  // namespace cobrun
