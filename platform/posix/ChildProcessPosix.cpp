#include "platform/ChildProcess.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace platform {

ChildResult RunChildProcess(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    ChildResult result;
    std::fflush(nullptr);  // the child writes to the same console: our text must come first
    pid_t child = 0;
    // posix_spawn, unlike posix_spawnp, takes the name as a path and never searches PATH.
    int error = posix_spawn(&child, program.c_str(), nullptr, nullptr, pointers.data(), environ);
    if (error != 0) {
        result.reason = std::strerror(error);
        return result;
    }
    result.started = true;
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return result;
    }
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace platform
