#include "platform/ChildProcess.h"

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

}  // namespace

ChildResult RunChildProcess(const std::string& program, const std::vector<std::string>& arguments) {
    std::string commandLine = Quoted(program);
    for (const std::string& argument : arguments) commandLine += " " + Quoted(argument);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};

    ChildResult result;
    std::fflush(nullptr);  // the child writes to the same console: our text must come first
    // With the program named apart from the command line, the system takes it relative to the
    // current directory and never searches the system path.
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &child)) {
        result.reason = SystemMessage(GetLastError());
        return result;
    }
    result.started = true;
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD exitCode = 0;
    if (GetExitCodeProcess(child.hProcess, &exitCode)) result.exitStatus = static_cast<int>(exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return result;
}

}  // namespace platform
