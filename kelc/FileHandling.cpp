#include "kelc/FileHandling.h"

#include "platform/Files.h"
#include "platform/Paths.h"

#include <filesystem>
#include <optional>

namespace kelc {

std::vector<std::string> SearchPathList;
std::vector<std::string> IncludePathList;
std::string LookupBaseDirectory;

namespace {

// The first existing <directory><delimiter><name> along the list; empty when there is none.
std::string FindAlong(const std::string& name, const std::vector<std::string>& directories) {
    for (const std::string& directory : directories) {
        std::string candidate = directory;
        if (candidate.empty() || !platform::IsPathDelimiter(candidate.back())) candidate += platform::kPathDelimiter;
        candidate += name;
        if (platform::FileExists(candidate)) return candidate;
    }
    return std::string();
}

// Whether every line end is CR LF and the text ends with one, or is empty: every CR is followed
// by an LF, and there are no other LFs.
bool HasCrLfLineEnds(std::string_view text) {
    std::size_t returns = 0, lineFeeds = 0;
    for (std::size_t at = text.find('\r'); at != std::string_view::npos; at = text.find('\r', at + 1)) {
        if (at + 1 == text.size() || text[at + 1] != '\n') return false;
        ++returns;
    }
    for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1)) ++lineFeeds;
    return returns == lineFeeds && (text.empty() || text.back() == '\n');
}

}  // namespace

std::string FindFile(const std::string& name, const std::vector<std::string>& searchPaths,
                     const std::vector<std::string>& includePaths) {
    std::string itself = std::filesystem::path(name).is_absolute() ? name : LookupBaseDirectory + name;
    if (platform::FileExists(itself)) return itself;
    std::string found = FindAlong(name, searchPaths);
    if (found.empty()) found = FindAlong(name, includePaths);
    return found;
}

std::string FindFile(const std::string& name) { return FindFile(name, SearchPathList, IncludePathList); }

std::string LoadTextFile(const std::string& path) {
    std::optional<std::string> text = platform::ReadFile(path);
    if (!text) throw FileError("Unable to find \"" + platform::FileNameOf(path) + "\"");
    const std::size_t nul = text->find('\0');
    if (nul != std::string::npos) text->resize(nul);  // a NUL ends the text
    // Editors on Windows start UTF-8 files with a byte order mark; it is no part of the text.
    if (text->compare(0, 3, "\xEF\xBB\xBF") == 0) text->erase(0, 3);
    return WithCrLfLineEnds(std::move(*text));
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines.emplace_back(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r') ++start;
        if (start < text.size() && text[start] == '\n') ++start;
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
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) text.append(line).append("\r\n");
    return text;
}

std::string WithCrLfLineEnds(std::string text) {
    // Files written on Windows, and everything kelc writes, are in this form already.
    if (HasCrLfLineEnds(text)) return text;
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 2);
    for (std::size_t at = 0; at < text.size();) {
        std::size_t lineEnd = at;
        while (lineEnd < text.size() && text[lineEnd] != '\r' && text[lineEnd] != '\n') ++lineEnd;
        out.append(text, at, lineEnd - at);
        if (lineEnd == text.size()) break;
        at = lineEnd + (text.compare(lineEnd, 2, "\r\n") == 0 ? 2 : 1);
        out += "\r\n";
    }
    if (!text.empty() && out.back() != '\n') out += "\r\n";
    return out;
}

}  // namespace kelc
