#pragma once
#include <string>
#include <vector>

// Golden test files hold the input and, below the marker line, the expected output. With the
// environment variable KEL_UPDATE_GOLDEN=1 a mismatch rewrites the expectation instead of failing.
namespace golden {

constexpr const char* kMarker = "==== expected ====";

struct Case {
    std::string path;
    std::string input;     // everything before the marker line
    std::string expected;  // everything after it
};

// Every file with the extension below the directory, sorted by name.
std::vector<std::string> ListCases(const std::string& directory, const std::string& extension);

Case Load(const std::string& path);

// Fails the current test with a line-by-line report when `actual` differs from the expectation,
// or rewrites the file in update mode.
void Check(const Case& golden, const std::string& actual);

// The words after `prefix` when the input's first line starts with it ("// flags:" gives
// {"-e", "-o0"} for "// flags: -e -o0"); nothing otherwise.
std::vector<std::string> HeaderWords(const std::string& input, const std::string& prefix);

// The test name of a case file: its stem with every character that is no letter or digit as "_".
std::string TestName(const std::string& path);

}  // namespace golden
