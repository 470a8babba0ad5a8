#include "platform/Paths.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace platform {

const char kPathDelimiter = '\\';
const char* const kPathDelimiters = "\\/";

bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

std::size_t RootLength(const std::string& path) {
    bool drive = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                 path[1] == ':' && IsPathDelimiter(path[2]);
    return drive ? 3 : 0;
}

bool SameFileName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    // Upper case as the system's code page has it, the way the file system folds names.
    std::string upperA = a, upperB = b;
    CharUpperBuffA(upperA.data(), static_cast<DWORD>(upperA.size()));
    CharUpperBuffA(upperB.data(), static_cast<DWORD>(upperB.size()));
    return upperA == upperB;
}

}  // namespace platform
