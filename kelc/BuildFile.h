#pragma once
#include "kelc/Settings.h"
#include "platform/Console.h"
#include "platform/FileLock.h"

#include <string>

namespace kelc {

// The lock file in the program directory that serialises runs sharing it.
constexpr const char* kLockFileName = "kelc.lock";

// Says on the console that `lock` could not be had; the run then goes on unguarded.
void SayWhenUnguarded(const platform::FileLock& lock, platform::Console& console);

// The source name with its extension replaced by `suffix` (appended when it has none).
std::string DeriveName(const std::string& sourceName, const std::string& suffix);

// Builds one source file: compiles it, writes the assembly and preprocessed texts beside it and,
// when it compiled and the settings allow, runs the assembler and takes over its error log.
// Returns true when the script compiled (and assembled, when it was to be assembled). Files that
// cannot be read or written raise std::runtime_error with the message to show.
bool BuildFile(const std::string& sourceName, const TSettings& settings, platform::Console& console);

}  // namespace kelc
