#include "platform/Paths.h"

namespace platform {

const char kPathDelimiter = '/';
const char* const kPathDelimiters = "/";

bool IsPathDelimiter(char c) { return c == '/'; }

std::size_t RootLength(const std::string& path) { return !path.empty() && path[0] == '/' ? 1 : 0; }

bool SameFileName(const std::string& a, const std::string& b) { return a == b; }

}  // namespace platform
