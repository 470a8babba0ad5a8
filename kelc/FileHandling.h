#pragma once
// Resolving a file name along the directory lists, reading a text
// file as lines, splitting a ";"-separated settings value.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kelc {

// The process-wide directory lists (SearchPathList, IncludePathList). The main program fills them
// from the settings; FindFile only reads them.
extern std::vector<std::string> SearchPathList;
extern std::vector<std::string> IncludePathList;
// Where a relative name itself is looked for before the lists are searched, ending in a
// delimiter; empty for the current directory.
extern std::string LookupBaseDirectory;

// LoadTextFile's failure: "Unable to find \"<name without directories>\"".
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The name itself (below LookupBaseDirectory when relative) when such a file exists, else the first existing <directory>/<name> along
// `searchPaths`, then `includePaths`; empty when there is none. A delimiter is added to a
// directory that lacks one (an empty directory becomes the root). Never raises.
std::string FindFile(const std::string& name, const std::vector<std::string>& searchPaths,
                     const std::vector<std::string>& includePaths);
// The same along SearchPathList and IncludePathList.
std::string FindFile(const std::string& name);

// The file's text with every line end as CR LF (see WithCrLfLineEnds); a NUL byte ends the text.
// Raises FileError when the file is missing or unreadable.
std::string LoadTextFile(const std::string& path);

// Appends the ";"-separated items of `text` to `list`: untrimmed, empty items kept, except that
// a trailing ";" adds none and an empty text adds nothing.
void SplitPathList(const std::string& text, std::vector<std::string>& list);

// The lines each followed by CR LF: how kelc writes its text files. {"a", "b"} => "a\r\nb\r\n".
std::string JoinLines(const std::vector<std::string>& lines);

// The text with every line end (CR LF, CR or LF) made CR LF, and CR LF after a last line that
// lacks one: JoinLines(SplitLines(text)) in one pass. "a\nb\rc" => "a\r\nb\r\nc\r\n".
std::string WithCrLfLineEnds(std::string text);

// The text cut at every CR LF, CR or LF; a final line break starts no further line.
// "a\r\nb\rc\n" => {"a", "b", "c"}.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace kelc
