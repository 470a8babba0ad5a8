#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace cobrun {

enum class EventKind {
    kAction,   // something a thread did to the unit
    kRest,     // a motion came to rest; no thread
    kThread,   // a thread began, ended, started or called a script
    kWarning,  // the thread goes on
    kFault,    // the thread was stopped
    kTrace,    // an instruction about to run, with the stack it finds
};

// One line of the timeline.
struct Event {
    std::int64_t ms = 0;
    int thread = 0;  // 0 for none
    std::string script;
    EventKind kind = EventKind::kAction;
    std::string text;
    int piece = -1;  // the piece the event is about, if any
};

using EventSink = std::function<void(const Event&)>;

// "   500 ms  #3  Walk        turn lthigh x-axis to -30.0 deg at 90.0 deg/s": the script column
// is `scriptWidth` wide so that the texts line up.
std::string TimelineLine(const Event& event, std::size_t scriptWidth);

}  // namespace cobrun
