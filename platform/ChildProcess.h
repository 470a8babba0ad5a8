#pragma once
#include <string>
#include <vector>

namespace platform {

struct ChildResult {
    bool started = false;
    std::string reason;  // the system's message when the start failed
    int exitStatus = -1;
};

// Starts `program` (taken as it is, relative to the current directory, never searched along the
// system path) with the arguments, the parent's standard streams, environment and directory,
// and waits for it to end.
ChildResult RunChildProcess(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace platform
