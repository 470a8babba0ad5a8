#include "kelc/FileHandling.h"

#include "platform/Files.h"

#include <optional>


namespace kelc {

std::vector<std::string> SearchPathList;
std::vector<std::string> IncludePathList;

namespace {

// The first existing <directory><delimiter><name> along the list; empty when there is none.
std::string FindAlong(const std::string& name, const std::vector<std::string>& directories) {
    for (const std::string& directory : directories) {
        std::string candidate = directory;
        if (candidate.empty() || candidate.back() != platform::kPathDelimiter) candidate += platform::kPathDelimiter;
        candidate += name;
        if (platform::FileExists(candidate)) return candidate;
    }
    return std::string();
}

std::string LastPathComponent(const std::string& path) {
    std::size_t at = path.find_last_of(platform::kPathDelimiter);
    return at == std::string::npos ? path : path.substr(at + 1);
}

}  // namespace

std::string FindFile(const std::string& name, const std::vector<std::string>& searchPaths,
                     const std::vector<std::string>& includePaths) {
    if (platform::FileExists(name)) return name;
    std::string found = FindAlong(name, searchPaths);
    if (found.empty()) found = FindAlong(name, includePaths);
    return found;
}

std::string FindFile(const std::string& name) { return FindFile(name, SearchPathList, IncludePathList); }

std::vector<std::string> LoadTextFile(const std::string& path) {
    const FileError failure("Unable to find \"" + LastPathComponent(path) + "\"");
    std::optional<std::string> content = platform::ReadFile(path);
    if (!content) throw failure;
    const std::string& bytes = *content;

    std::size_t end = bytes.find('\0');
    if (end == std::string::npos) end = bytes.size();
    std::vector<std::string> lines;
    // Editors on Windows start UTF-8 files with a byte order mark; it is no part of the text.
    std::size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (start < end) {
        std::size_t stop = start;
        while (stop < end && bytes[stop] != '\r' && bytes[stop] != '\n') ++stop;
        lines.push_back(bytes.substr(start, stop - start));
        if (stop < end) stop += (bytes[stop] == '\r' && stop + 1 < end && bytes[stop + 1] == '\n') ? 2 : 1;
        start = stop;
    }
    return lines;
}

void SplitPathList(const std::string& text, std::vector<std::string>& list) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t semicolon = text.find(';', start);
        if (semicolon == std::string::npos) {
            list.push_back(text.substr(start));
            return;
        }
        list.push_back(text.substr(start, semicolon - start));
        start = semicolon + 1;
    }
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace kelc
