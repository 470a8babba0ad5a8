// Each tests/golden/cobrun/*.test file starts with a line that says how the unit is built and
// how cobrun runs it:
//   // kelc | cobrun ARGS                    the KEL script below, compiled by kelc
//   // kelc examples/unit.kel | cobrun ARGS  that file of the source tree instead
//   // zarn | cobrun ARGS                    the assembly text below, assembled by zarn
// then the marker and cobrun's timeline, what it printed to standard error and its exit status.
// The COB file is called unit.cob in a temporary directory.
#include "cobrun/Driver.h"
#include "tests/cobrun/UnitRun.h"
#include "tests/support/CaptureConsole.h"
#include "tests/support/GoldenFile.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

struct Header {
    std::string builder;  // "kelc" or "zarn"
    std::string sourceFile;
    std::vector<std::string> args;
};

Header HeaderOf(const std::string& input) {
    std::istringstream line(input.substr(0, input.find('\n')));
    Header header;
    std::string word;
    line >> word >> header.builder;
    EXPECT_EQ(word, "//");
    while (line >> word && word != "|") header.sourceFile = word;
    line >> word;
    EXPECT_EQ(word, "cobrun");
    while (line >> word) header.args.push_back(word);
    return header;
}

std::string SourceFile(const std::string& relative) {
    std::ifstream in(KEL_SOURCE_DIR "/" + relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string Timeline(const golden::Case& golden) {
    Header header = HeaderOf(golden.input);
    const std::string source = header.sourceFile.empty() ? golden.input : SourceFile(header.sourceFile);
    std::string problems;
    const std::string cob = header.builder == "zarn" ? CobOfZarn(source, problems) : CobOfKel(source, {}, problems);
    if (cob.empty()) return "no COB file:\n" + problems;
    TempDirectory dir;
    dir.Write("unit.cob", cob);
    std::vector<std::string> args = header.args;
    args.push_back(dir.File("unit.cob"));
    CaptureConsole out, errors;
    const int status = cobrun::RunCobrun(args, out, errors);
    return Replaced(out.Text() + "---- errors ----\n" + errors.Text(), dir.Path() + "/", "") + "exit status " +
           std::to_string(status) + "\n";
}

class CobrunGolden : public testing::TestWithParam<std::string> {};

TEST_P(CobrunGolden, MatchesExpectation) {
    golden::Case golden = golden::Load(GetParam());
    golden::Check(golden, Timeline(golden));
}

INSTANTIATE_TEST_SUITE_P(Files, CobrunGolden,
                         testing::ValuesIn(golden::ListCases(KEL_SOURCE_DIR "/tests/golden/cobrun", ".test")),
                         [](const testing::TestParamInfo<std::string>& info) { return golden::TestName(info.param); });

}  // namespace
