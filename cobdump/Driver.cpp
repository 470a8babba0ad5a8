#include "cobdump/Driver.h"

#include "cobdump/AssemblyText.h"
#include "cobdump/CobFile.h"
#include "cobdump/CodeChecks.h"
#include "cobdump/Disassembly.h"
#include "cobdump/Listing.h"
#include "cobdump/Reassembly.h"
#include "platform/Files.h"

#include <optional>

namespace cobdump {
namespace {

constexpr const char* kUsage =
    "Usage: cobdump [-S | --check] <cobfile>\n"
    "  (no flag)  list the header, the tables and the disassembly of every script\n"
    "  -S         write assembly text that zarn assembles back into the same file\n"
    "  --check    validate the structure; exit status 0 for a valid file, 1 otherwise\n"
    "  --help     print this help; --version prints the version\n";

enum class Mode { kListing, kAssembly, kCheck };

struct CommandLine {
    Mode mode = Mode::kListing;
    std::string fileName;
};

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    bool modeGiven = false;
    for (const std::string& arg : args) {
        if ((arg == "-S" || arg == "--check") && !modeGiven) {
            line.mode = arg == "-S" ? Mode::kAssembly : Mode::kCheck;
            modeGiven = true;
        } else if (!arg.empty() && arg[0] != '-' && line.fileName.empty()) {
            line.fileName = arg;
        } else {
            return std::nullopt;
        }
    }
    if (line.fileName.empty()) return std::nullopt;
    return line;
}

std::string ProblemLines(const std::string& fileName, const Problems& problems) {
    std::string lines;
    for (const Problem& problem : problems) lines += fileName + ": " + ProblemLine(problem);
    return lines;
}

int WriteAssemblyText(const CommandLine& line, const std::string& bytes, const Problems& layoutProblems,
                      const std::optional<CobFile>& file, const std::optional<Disassembly>& disassembly,
                      platform::Console& out, platform::Console& errors) {
    // Odd code is no obstacle: "ddw" statements reproduce any word.
    if (!layoutProblems.empty()) {
        errors.Print("cobdump: " + line.fileName + " is no valid COB file, so -S writes nothing:\n" +
                     ProblemLines(line.fileName, layoutProblems));
        return 1;
    }
    AssemblyText assembly = WriteAssembly(*file, *disassembly);
    std::string reason = assembly.ok ? ReassemblyDifference(assembly.text, bytes) : assembly.reason;
    if (!reason.empty()) {
        errors.Print("cobdump: -S cannot round-trip " + line.fileName + ": " + reason + "\n");
        return 1;
    }
    out.Print(assembly.text);
    return 0;
}

int RunMode(const CommandLine& line, const std::string& bytes, platform::Console& out, platform::Console& errors) {
    Problems problems;
    std::optional<CobFile> file = ReadCobFile(bytes, problems);
    std::optional<Disassembly> disassembly;
    if (file) disassembly = Disassemble(*file);
    if (line.mode == Mode::kAssembly) return WriteAssemblyText(line, bytes, problems, file, disassembly, out, errors);

    if (file) CheckCode(*file, *disassembly, problems);
    if (line.mode == Mode::kCheck) {
        out.Print(problems.empty() ? line.fileName + ": valid\n" : ProblemLines(line.fileName, problems));
    } else {
        if (file) out.Print(Listing(*file, *disassembly));
        if (!problems.empty()) out.Print("problems\n" + ProblemLines(line.fileName, problems));
    }
    return problems.empty() ? 0 : 1;
}

}  // namespace

int RunCobdump(const std::vector<std::string>& args, platform::Console& out, platform::Console& errors) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "--version") {
            out.Print(arg == "--help" ? std::string(kUsage) : "cobdump " KEL_VERSION "\n");
            return 0;
        }
    }
    std::optional<CommandLine> line = ParseCommandLine(args);
    if (!line) {
        errors.Print(kUsage);
        return 1;
    }
    std::optional<std::string> bytes = platform::ReadFile(line->fileName);
    if (!bytes) {
        errors.Print("cobdump: cannot read \"" + line->fileName + "\"\n");
        return 1;
    }
    return RunMode(*line, *bytes, out, errors);
}

}  // namespace cobdump
