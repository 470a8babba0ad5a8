#include "cobrun/JsonData.h"

#include "cobrun/Escapes.h"

#include <cstdio>

namespace cobrun {
namespace {

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string s = text;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string Series(const std::vector<Sample>& samples) {
    std::string out = "[";
    for (std::size_t i = 0; i < samples.size(); ++i)
        out += (i ? ", [" : "[") + Number(samples[i].ms) + ", " + Number(samples[i].value) + "]";
    return out + "]";
}

template <typename Member>
std::string PerAxis(const PieceTrack& track, Member member) {
    return "{\"x\": " + Series(track.axes[0].*member) + ", \"y\": " + Series(track.axes[1].*member) +
           ", \"z\": " + Series(track.axes[2].*member) + "}";
}

std::string EventObject(const Event& event, const Recording& recording) {
    const std::string piece = event.piece >= 0 ? JsonString(recording.pieces[static_cast<std::size_t>(event.piece)].name) : "null";
    return "{\"ms\": " + std::to_string(event.ms) + ", \"thread\": " + std::to_string(event.thread) +
           ", \"script\": " + JsonString(event.script) + ", \"kind\": \"" + KindName(event.kind) +
           "\", \"piece\": " + piece + ", \"text\": " + JsonString(event.text) + "}";
}

}  // namespace

const char* KindName(EventKind kind) {
    switch (kind) {
        case EventKind::kAction: return "action";
        case EventKind::kRest: return "rest";
        case EventKind::kThread: return "thread";
        case EventKind::kWarning: return "warning";
        case EventKind::kFault: return "fault";
        case EventKind::kTrace: return "trace";
    }
    return "";
}

std::string JsonData(const std::string& fileName, const Recording& recording) {
    std::string out = "{\"file\": " + JsonString(fileName) + ", \"endMs\": " + std::to_string(recording.endMs) + ",\n\"pieces\": [";
    for (std::size_t p = 0; p < recording.pieces.size(); ++p) {
        const PieceTrack& track = recording.pieces[p];
        out += std::string(p ? ",\n" : "\n") + "  {\"name\": " + JsonString(track.name) + ",\n   \"angle\": " +
               PerAxis(track, &AxisTrack::angle) + ",\n   \"position\": " + PerAxis(track, &AxisTrack::position) + "}";
    }
    out += "],\n\"events\": [";
    for (std::size_t e = 0; e < recording.events.size(); ++e)
        out += std::string(e ? ",\n" : "\n") + "  " + EventObject(recording.events[e], recording);
    return out + "]}\n";
}

}  // namespace cobrun
