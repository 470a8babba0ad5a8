#pragma once
#include "kelc/Reporter.h"
#include "kelc/Settings.h"
#include "platform/FileLock.h"

#include <string>

namespace kelc {

// The lock file in the working folder that serialises runs sharing it.
constexpr const char* kLockFileName = "kelc.lock";

// Says on the console that `lock` could not be had; the run then goes on unguarded.
void SayWhenUnguarded(const platform::FileLock& lock, Reporter& reporter);

// What a run asks of every build beyond the settings.
struct BuildRequest {
    std::string outputDirectory;   // empty: the outputs lie beside the source
    std::string cobFile;           // empty: derived from the source name
    std::string depFile;           // empty: the COB file's name with ".d"
    bool writeDepFile = false;
    std::string assemblerProgram;  // the file to start; its name as configured is what is printed
    std::string workingDirectory;  // where the assembler runs and leaves errors.txt, with the lock
};

// Builds one source file, `sourceName` being the name as found and as the user opens it from
// the current directory: compiles it, writes the assembly and preprocessed texts and, when it
// compiled and the settings allow, runs the assembler and takes over its error log. Returns true
// when the script compiled (and assembled, when it was to be assembled). Files that cannot be
// read or written raise std::runtime_error with the message to show.
bool BuildFile(const std::string& sourceName, const TSettings& settings, const BuildRequest& request,
               Reporter& reporter);

}  // namespace kelc
