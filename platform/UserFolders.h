#pragma once
#include <string>

namespace platform {

// Where a program keeps per-user files when its own folder cannot be written. Each name ends in
// `application` and has no trailing delimiter; empty when the user's home cannot be found.
// The settings folder: $XDG_CONFIG_HOME/<application>, else ~/.config/<application>.
std::string UserSettingsDirectory(const std::string& application);
// The folder for lock files and hand-over files: $XDG_RUNTIME_DIR/<application>, else
// ~/.cache/<application>.
std::string UserWorkingDirectory(const std::string& application);

// Creates the directory and its missing parents, readable by the user only; true when it exists
// afterwards. On failure `reason` holds the system's message.
bool MakeUserDirectory(const std::string& path, std::string& reason);

// True when this process may create files in the directory.
bool CanWriteIn(const std::string& directory);

// True when this process may replace the file: it is writable, or it is missing and its
// directory is writable.
bool CanReplace(const std::string& file);

}  // namespace platform
