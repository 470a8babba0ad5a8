#include "tests/support/GoldenFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace golden {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string DescribeDifference(const std::string& expected, const std::string& actual) {
    std::vector<std::string> want = Lines(expected), got = Lines(actual);
    std::size_t i = 0;
    while (i < want.size() && i < got.size() && want[i] == got[i]) ++i;
    std::ostringstream out;
    out << "first difference at expected line " << (i + 1) << "\n"
        << "  expected: " << (i < want.size() ? want[i] : "<end>") << "\n"
        << "  actual:   " << (i < got.size() ? got[i] : "<end>") << "\n"
        << "---- whole actual output ----\n"
        << actual;
    return out.str();
}

bool UpdateMode() {
    const char* value = std::getenv("KEL_UPDATE_GOLDEN");
    return value != nullptr && std::string(value) == "1";
}

}  // namespace

std::vector<std::string> ListCases(const std::string& directory, const std::string& extension) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        if (entry.path().extension() == extension) paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

Case Load(const std::string& path) {
    std::string text = ReadFile(path);
    std::string marker = std::string(kMarker) + "\n";
    std::size_t at = text.rfind(marker);
    while (at != std::string::npos && at != 0 && text[at - 1] != '\n') at = text.rfind(marker, at - 1);
    if (at == std::string::npos) return Case{path, text, ""};
    return Case{path, text.substr(0, at), text.substr(at + marker.size())};
}

void Check(const Case& golden, const std::string& actual) {
    if (actual == golden.expected) return;
    if (UpdateMode()) {
        std::ofstream out(golden.path, std::ios::binary | std::ios::trunc);
        out << golden.input << kMarker << "\n" << actual;
        return;
    }
    ADD_FAILURE() << golden.path << ": output differs (run with KEL_UPDATE_GOLDEN=1 to accept)\n"
                  << DescribeDifference(golden.expected, actual);
}

std::string TestName(const std::string& path) {
    std::string name = std::filesystem::path(path).stem().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

std::vector<std::string> HeaderWords(const std::string& input, const std::string& prefix) {
    std::vector<std::string> words;
    if (input.compare(0, prefix.size(), prefix) != 0) return words;
    std::istringstream line(input.substr(prefix.size(), input.find('\n') - prefix.size()));
    for (std::string word; line >> word;) words.push_back(word);
    return words;
}

}  // namespace golden
