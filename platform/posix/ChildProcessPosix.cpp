#include "platform/ChildProcess.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

// Releases the spawn attributes and the pipe ends the parent still holds, however the start ends.
class SpawnSetup {
public:
    SpawnSetup() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions_);
        CloseEnd(0);
        CloseEnd(1);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // 0 or an errno value.
    int Prepare(const ChildOptions& options) {
        if (!options.workingDirectory.empty()) {
            int error = posix_spawn_file_actions_addchdir_np(&actions_, options.workingDirectory.c_str());
            if (error != 0) return error;
        }
        if (!options.captureOutput) return 0;
        if (pipe2(pipe_, O_CLOEXEC) != 0) return errno;
        // dup2 clears close-on-exec on the copies, so only the write end reaches the child as 1 and 2.
        int error = posix_spawn_file_actions_adddup2(&actions_, pipe_[1], STDOUT_FILENO);
        if (error == 0) error = posix_spawn_file_actions_adddup2(&actions_, pipe_[1], STDERR_FILENO);
        return error;
    }

    posix_spawn_file_actions_t* Actions() { return &actions_; }

    // The child's output up to its end; call after the start, once.
    std::string ReadAll() {
        CloseEnd(1);  // the parent's write end would keep the pipe open forever
        std::string output;
        char buffer[4096];
        for (;;) {
            ssize_t count = read(pipe_[0], buffer, sizeof buffer);
            if (count < 0 && errno == EINTR) continue;
            if (count <= 0) return output;
            output.append(buffer, static_cast<std::size_t>(count));
        }
    }

private:
    void CloseEnd(int end) {
        if (pipe_[end] >= 0) close(pipe_[end]);
        pipe_[end] = -1;
    }

    posix_spawn_file_actions_t actions_;
    int pipe_[2] = {-1, -1};
};

}  // namespace

ChildResult RunChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                            const ChildOptions& options) {
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    ChildResult result;
    SpawnSetup setup;
    int error = setup.Prepare(options);
    std::fflush(nullptr);  // the child may write to the same console: our text must come first
    pid_t child = 0;
    // posix_spawn, unlike posix_spawnp, takes the name as a path and never searches PATH.
    if (error == 0) error = posix_spawn(&child, program.c_str(), setup.Actions(), nullptr, pointers.data(), environ);
    if (error != 0) {
        result.reason = std::strerror(error);
        return result;
    }
    result.started = true;
    if (options.captureOutput) result.output = setup.ReadAll();
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return result;
    }
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace platform
