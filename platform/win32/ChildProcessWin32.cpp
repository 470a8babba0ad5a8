#include "platform/ChildProcess.h"

#include "platform/Paths.h"
#include "platform/win32/SystemMessage.h"

#include <cstdio>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace platform {
namespace {

// One argument as the child's run-time library splits its command line back into arguments:
// quoted when it is empty or holds blanks or quotes, with backslashes doubled before a quote.
std::string Quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}

// As on Linux, a relative program name is taken from the directory the child starts in.
std::string ProgramFrom(const std::string& directory, const std::string& program) {
    bool absolute = RootLength(program) > 0 || (!program.empty() && IsPathDelimiter(program[0]));
    if (directory.empty() || absolute) return program;
    return IsPathDelimiter(directory.back()) ? directory + program : directory + kPathDelimiter + program;
}

// The child's output through a pipe whose write end only the child keeps open.
class OutputPipe {
public:
    bool Open() {
        SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        if (!CreatePipe(&read_, &write_, &inherited, 0)) return false;
        return SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0) != 0;
    }
    ~OutputPipe() {
        CloseEnd(read_);
        CloseEnd(write_);
    }
    HANDLE WriteEnd() const { return write_; }

    // Everything the child writes until it ends; call after the start, once.
    std::string ReadAll() {
        CloseEnd(write_);  // the parent's copy would keep the pipe open forever
        std::string output;
        char buffer[4096];
        DWORD count = 0;
        while (::ReadFile(read_, buffer, sizeof buffer, &count, nullptr) && count > 0) output.append(buffer, count);
        return output;
    }

private:
    static void CloseEnd(HANDLE& end) {
        if (end != nullptr) CloseHandle(end);
        end = nullptr;
    }
    HANDLE read_ = nullptr;
    HANDLE write_ = nullptr;
};

}  // namespace

ChildResult RunChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                            const ChildOptions& options) {
    const std::string programPath = ProgramFrom(options.workingDirectory, program);
    std::string commandLine = Quoted(program);
    for (const std::string& argument : arguments) commandLine += " " + Quoted(argument);

    ChildResult result;
    OutputPipe pipe;
    if (options.captureOutput && !pipe.Open()) {
        result.reason = SystemMessage(GetLastError());
        return result;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = options.captureOutput ? pipe.WriteEnd() : GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = options.captureOutput ? pipe.WriteEnd() : GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};

    std::fflush(nullptr);  // the child may write to the same console: our text must come first
    // With the program named apart from the command line, the system never searches the system
    // path for it.
    const char* directory = options.workingDirectory.empty() ? nullptr : options.workingDirectory.c_str();
    if (!CreateProcessA(programPath.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, directory,
                        &startup, &child)) {
        result.reason = SystemMessage(GetLastError());
        return result;
    }
    result.started = true;
    if (options.captureOutput) result.output = pipe.ReadAll();
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD exitCode = 0;
    if (GetExitCodeProcess(child.hProcess, &exitCode)) result.exitStatus = static_cast<int>(exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return result;
}

}  // namespace platform
