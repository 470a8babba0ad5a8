#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Puts the bytes into `path` as one whole. A regular file, or a name with no file yet, gets a
// temporary file beside it that is renamed over it, so a failed write never leaves a truncated
// file, an older file survives, and a rewritten file keeps its permission bits. A symbolic link
// stays a link: the file it points to is the one replaced. Anything else that exists (a device,
// a pipe) is opened and written in place, never replaced. On failure returns false and puts the
// system's reason into `reason`.
bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& reason);

enum class AppendResult { kAppended, kNotOpened, kNotWritten };

// Appends the bytes to `path` (created when missing) with one write, so that runs appending to
// the same log at once never interleave their blocks. On failure puts the system's reason into
// `reason`.
AppendResult AppendToFile(const std::string& path, std::string_view bytes, std::string& reason);

// Deletes the regular file `path` leads to (for a symbolic link, the file it points to); anything
// else is left alone. A missing file counts as deleted. On failure returns false with the reason.
bool RemoveFile(const std::string& path, std::string& reason);

// True when both names lead to one and the same existing file.
bool SameFile(const std::string& first, const std::string& second);

// The whole content of a regular file; nothing when it is missing, no regular file or unreadable.
std::optional<std::string> ReadFile(const std::string& path);

// True when `path` names an existing regular file (a directory does not count). Relative paths
// are taken relative to the current directory.
bool FileExists(const std::string& path);

// From now on an interrupt (Ctrl-C, a request to terminate, a hang-up) removes the temporary
// file of a replacement in progress and ends the process with status 128 + the signal's number.
void RemoveTemporaryFilesOnInterrupt();

// The character that separates directories in a path.
extern const char kPathDelimiter;

}  // namespace platform
