#pragma once
#include <string>
#include <utility>
#include <vector>

namespace platform {

// A settings file of "[Section]" headers and "key=value" lines. Section and key names are
// compared without regard to case; values are taken without surrounding blanks.
class IniFile {
public:
    explicit IniFile(std::string path);

    // The value, or `fallback` when the file, the section or the key is missing.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;

    // Sets the keys of one section, keeping every other line of the file, and replaces the file
    // in one step. On failure returns false with the system's reason.
    bool WriteStrings(const std::string& section, const std::vector<std::pair<std::string, std::string>>& values,
                      std::string& reason) const;

private:
    std::string path_;
};

}  // namespace platform
