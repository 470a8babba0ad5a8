#include "kelc/Reporter.h"

#include "kelc/GnuDiagnostics.h"

namespace kelc {

void Reporter::Progress(const std::string& line) {
    if (!quiet_) out_.Print(line + "\n");
}

void Reporter::Failure(const std::string& message) {
    if (gnu_)
        Problem("kelc: error: " + message);
    else
        out_.Print(message + "\n");
}

void Reporter::Warning(const std::string& message) {
    if (gnu_)
        Problem("kelc: warning: " + message);
    else
        out_.Print("Warning: " + message + "\n");
}

void Reporter::ScriptErrors(const std::vector<std::string>& messages) {
    if (gnu_) {
        for (const std::string& line : GnuCompilerDiagnostics(messages)) Problem(line);
        return;
    }
    out_.Print("Errors in source\n");
    for (const std::string& message : messages) out_.Print(message + "\n");
    out_.Print("\n");
}

void Reporter::Problem(const std::string& line) { (gnu_ ? errors_ : out_).Print(line + "\n"); }

}  // namespace kelc
