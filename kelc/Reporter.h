#pragma once
#include "platform/Console.h"

#include <string>
#include <vector>

namespace kelc {

// Decides which of kelc's lines a run shows, and where: progress lines (the names, the steps,
// the empty lines between files) go away with --quiet; with --diagnostics=gnu only problems are
// shown, one line each, on standard error.
class Reporter {
public:
    Reporter(platform::Console& out, platform::Console& errors, bool quiet, bool gnu)
        : out_(out), errors_(errors), quiet_(quiet || gnu), gnu_(gnu) {}

    bool Gnu() const { return gnu_; }
    bool Quiet() const { return quiet_; }

    void Progress(const std::string& line);
    // A problem of the run or of one file that is not in a script: a missing file, a failed write.
    void Failure(const std::string& message);
    void Warning(const std::string& message);
    // The compiler's messages for a script that did not compile.
    void ScriptErrors(const std::vector<std::string>& messages);
    // A problem already in the "path:line[:column]: error: message" form: on standard error
    // with --diagnostics=gnu, else on the console.
    void Problem(const std::string& line);

private:
    platform::Console& out_;
    platform::Console& errors_;
    bool quiet_;
    bool gnu_;
};

}  // namespace kelc
