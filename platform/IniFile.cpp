#include "platform/IniFile.h"

#include "platform/Files.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace platform {
namespace {

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A settings file that is no regular file (a pipe would wait for a writer) reads as empty.
std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(path).value_or(std::string()));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// "[name]" gives the section name; other lines give nothing.
bool SectionHeader(const std::string& line, std::string& name) {
    std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return false;
    name = Trim(trimmed.substr(1, trimmed.size() - 2));
    return true;
}

bool KeyLine(const std::string& line, std::string& key, std::string& value) {
    std::size_t equals = line.find('=');
    if (equals == std::string::npos) return false;
    key = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return !key.empty();
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
    bool inSection = false;
    for (const std::string& line : ReadLines(path_)) {
        std::string name, lineKey, value;
        if (SectionHeader(line, name))
            inSection = SameName(name, section);
        else if (inSection && KeyLine(line, lineKey, value) && SameName(lineKey, key))
            return value;
    }
    return fallback;
}

bool IniFile::WriteStrings(const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& values,
                           std::string& reason) const {
    std::vector<std::string> lines = ReadLines(path_);
    std::vector<bool> written(values.size(), false);
    std::vector<std::string> out;
    bool inSection = false, sectionSeen = false;

    auto writeMissingKeys = [&] {
        for (std::size_t i = 0; i < values.size(); ++i)
            if (!written[i]) out.push_back(values[i].first + "=" + values[i].second);
        std::fill(written.begin(), written.end(), true);
    };

    for (const std::string& line : lines) {
        std::string name, key, value;
        if (SectionHeader(line, name)) {
            if (inSection) writeMissingKeys();
            inSection = SameName(name, section);
            sectionSeen = sectionSeen || inSection;
        } else if (inSection && KeyLine(line, key, value)) {
            auto match = std::find_if(values.begin(), values.end(),
                                      [&](const auto& pair) { return SameName(pair.first, key); });
            if (match != values.end()) {
                std::size_t index = static_cast<std::size_t>(match - values.begin());
                if (!written[index]) out.push_back(match->first + "=" + match->second);
                written[index] = true;
                continue;
            }
        }
        out.push_back(line);
    }
    if (!sectionSeen) out.push_back("[" + section + "]");
    writeMissingKeys();

    std::ostringstream text;
    for (const std::string& line : out) text << line << "\r\n";
    return ReplaceFile(path_, text.str(), reason);
}

}  // namespace platform
