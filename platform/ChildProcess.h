#pragma once
#include <string>
#include <vector>

namespace platform {

struct ChildOptions {
    std::string workingDirectory;  // empty: the parent's
    bool captureOutput = false;    // collect standard output and error instead of sharing the console
};

struct ChildResult {
    bool started = false;
    std::string reason;  // the system's message when the start failed
    int exitStatus = -1;
    std::string output;  // with captureOutput: both streams as the child wrote them
};

// Starts `program` (taken as it is, relative to the current directory, never searched along the
// system path) with the arguments, the parent's environment and, unless the options say
// otherwise, its standard streams and directory; waits for it to end.
ChildResult RunChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                            const ChildOptions& options = {});

}  // namespace platform
