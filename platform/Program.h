#pragma once
#include <string>

namespace platform {

// The running executable's full path.
std::string ProgramPath();

// The process's current directory, and changing it; false when the change failed.
std::string CurrentDirectory();
bool SetCurrentDirectory(const std::string& directory);

// The value of an environment variable; empty when it is unset.
std::string EnvironmentVariable(const std::string& name);

}  // namespace platform
