#include "cobrun/Driver.h"

#include "cobrun/CommandLine.h"
#include "cobrun/JsonData.h"
#include "cobrun/Run.h"
#include "cobrun/SvgChart.h"
#include "cobrun/Units.h"
#include "platform/Files.h"

#include <algorithm>
#include <optional>

namespace cobrun {
namespace {

constexpr const char* kFirstScript = "Create";

// The starts of the command line behind the start of Create, when the file has that script.
bool AddStarts(const Unit& unit, const CommandLine& line, RunOptions& options, platform::Console& errors) {
    for (const ScriptStart& start : line.options.starts) {
        if (unit.FindScript(start.name) < 0) {
            errors.Print("cobrun: " + line.fileName + " has no script \"" + start.name + "\"\n");
            return false;
        }
    }
    options.starts.clear();
    if (unit.FindScript(kFirstScript) >= 0) {
        options.starts.push_back({kFirstScript, 0, {}});
    } else {
        errors.Print("cobrun: " + line.fileName + " has no script " + kFirstScript + "; only --start scripts run\n");
    }
    options.starts.insert(options.starts.end(), line.options.starts.begin(), line.options.starts.end());
    return true;
}

bool WriteOutput(const std::string& path, const std::string& bytes, platform::Console& errors) {
    std::string reason;
    if (platform::ReplaceFile(path, bytes, reason)) return true;
    errors.Print("cobrun: cannot write \"" + path + "\": " + reason + "\n");
    return false;
}

std::size_t ScriptWidth(const Unit& unit) {
    std::size_t width = 6;
    for (const std::string& name : unit.file.scriptNames) width = std::max(width, name.size());
    return std::min<std::size_t>(width, 40);
}

// "end: ..." with the counts, then the statics as the run left them.
std::string EndLines(const RunSummary& summary, std::size_t width) {
    auto count = [](std::int64_t n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); };
    Event end;
    end.ms = summary.endMs;
    end.kind = EventKind::kThread;
    end.text = std::string(summary.timeUp ? "end: the time is up" : "end: every thread has ended") + "; " +
               count(summary.instructions, "instruction") + ", " + count(summary.faults, "fault") + ", " +
               count(summary.warnings, "warning");
    Event statics = end;
    statics.text = "statics " + ValueList(summary.statics);
    return TimelineLine(end, width) + TimelineLine(statics, width);
}

int RunUnit(const CommandLine& line, const Unit& unit, platform::Console& out, platform::Console& errors) {
    RunOptions options = line.options;
    if (!AddStarts(unit, line, options, errors)) return 1;
    const std::size_t width = ScriptWidth(unit);
    const EventSink print = [&](const Event& event) {
        out.Print(TimelineLine(event, width));
        if (event.kind == EventKind::kFault || event.kind == EventKind::kWarning)
            errors.Print(std::string("cobrun: ") + (event.kind == EventKind::kWarning ? "warning: " : "") + event.script + ": " +
                         event.text + "\n");
    };
    Recording recording;
    const bool record = !line.svgFile.empty() || !line.jsonFile.empty();
    const RunSummary summary = Run(unit, options, print, record ? &recording : nullptr);
    out.Print(EndLines(summary, width));
    bool written = true;
    if (!line.svgFile.empty()) written = WriteOutput(line.svgFile, SvgChart(line.fileName, recording), errors) && written;
    if (!line.jsonFile.empty()) written = WriteOutput(line.jsonFile, JsonData(line.fileName, recording), errors) && written;
    return written && summary.faults == 0 && summary.warnings == 0 ? 0 : 1;
}

}  // namespace

int RunCobrun(const std::vector<std::string>& args, platform::Console& out, platform::Console& errors) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "--version") {
            out.Print(arg == "--help" ? std::string(kUsage) : "cobrun " KEL_VERSION "\n");
            return 0;
        }
    }
    std::string error;
    std::optional<CommandLine> line = ParseCommandLine(args, error);
    if (!line) {
        errors.Print("cobrun: " + error + "\n" + kUsage);
        return 1;
    }
    std::optional<std::string> bytes = platform::ReadFile(line->fileName);
    if (!bytes) {
        errors.Print("cobrun: cannot read \"" + line->fileName + "\"\n");
        return 1;
    }
    std::string problems;
    std::optional<Unit> unit = LoadUnit(*bytes, problems);
    if (!unit) {
        errors.Print("cobrun: " + line->fileName + " is no valid COB file:\n" + problems);
        return 1;
    }
    return RunUnit(*line, *unit, out, errors);
}

}  // namespace cobrun
