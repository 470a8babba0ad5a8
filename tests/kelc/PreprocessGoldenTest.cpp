// Each tests/golden/kelc/preprocess/*.test file: the main file "main.kel", optionally followed by
// include files, each starting with a line "--- file: <name> ---"; then the marker and what the
// preprocessor made of it. Every file is handed over as its lines each followed by CR LF, as the
// compiler does. The "if" directive is taken as true unless its argument is "0"; every other
// directive the preprocessor does not know is refused.
//
// The expectation shows the output with blanks as "·", CR as "\r", LF as "\n" (then a real line
// break) and TAB as "\t"; the line-origin list (file, stretch, line starts); where the first word
// of every output line comes from; and the error message when the run failed.
#include "kelc/FileHandling.h"
#include "tests/kelc/FrontEndHarness.h"
#include "tests/support/GoldenFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using harness::Files;

const char* const kMainFileName = "main.kel";

// Lines of `text` (split at LF), each followed by CR LF.
std::string AsCompilerText(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return kelc::JoinLines(lines);
}

Files SplitFiles(const std::string& input) {
    const std::string prefix = "--- file: ", suffix = " ---";
    std::string name = kMainFileName;
    Files files{{name, std::string()}};
    std::istringstream in(input);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) == 0 && line.size() > prefix.size() + suffix.size() &&
            line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0) {
            name = line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
            files[name];
            continue;
        }
        files[name] += line + "\n";
    }
    for (auto& [fileName, text] : files) text = AsCompilerText(text);
    return files;
}

std::string Visible(const std::string& text) {
    std::string shown;
    for (char c : text) {
        switch (c) {
            case ' ': shown += "\xC2\xB7"; break;
            case '\t': shown += "\\t"; break;
            case '\r': shown += "\\r"; break;
            case '\n': shown += "\\n\n"; break;
            default: shown += c; break;
        }
    }
    if (!shown.empty() && shown.back() != '\n') shown += "\n";
    return shown;
}

std::string LineOrigins(const kelc::TLineInfoList& list) {
    std::string shown;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const kelc::TLineInfo& info = list.Items(i);
        shown += info.fileName + " [" + std::to_string(info.startPos) + ", " + std::to_string(info.endPos) +
                 "), line starts";
        for (std::int32_t start : info.lineStarts) shown += " " + std::to_string(start);
        shown += "\n";
    }
    return shown;
}

std::string FirstWordOrigins(const std::string& output, const kelc::TLineInfoList& list) {
    std::string shown;
    std::size_t lineStart = 0;
    while (lineStart < output.size()) {
        std::size_t lineEnd = output.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = output.size();
        const std::size_t word = output.find_first_not_of(" \t\r", lineStart);
        if (word < lineEnd) {
            kelc::TLineInfoResults where;
            const std::string origin = list.Lookup(static_cast<std::int32_t>(word), where)
                                           ? where.fileName + "(" + std::to_string(where.line) + ":" +
                                                 std::to_string(where.column) + ")"
                                           : "not found";
            shown += std::to_string(word) + " " + output.substr(word, output.find_first_of(" \t\r\n", word) - word) +
                     " <- " + origin + "\n";
        }
        lineStart = lineEnd + 1;
    }
    return shown;
}

std::string Preprocess(const Files& files) {
    kelc::TPreProcessor preprocessor;
    preprocessor.MainFileName = kMainFileName;
    preprocessor.MainText = files.at(kMainFileName);
    harness::ServeIncludeFiles(preprocessor, files);
    harness::TakeIfZeroAsFalse(preprocessor);
    std::string output, error;
    try {
        preprocessor.Preprocess(kMainFileName, output);
    } catch (const kelc::EPreProcessorError& e) {
        error = e.what();
    }
    std::string shown = "---- output ----\n" + Visible(output) + "---- line origins ----\n" +
                        LineOrigins(preprocessor.LineInfos) + "---- first word of each line ----\n" +
                        FirstWordOrigins(output, preprocessor.LineInfos);
    if (!error.empty()) shown += "---- error ----\n" + error + "\n";
    return shown;
}

class PreprocessGolden : public testing::TestWithParam<std::string> {};

TEST_P(PreprocessGolden, MatchesExpectation) {
    golden::Case golden = golden::Load(GetParam());
    golden::Check(golden, Preprocess(SplitFiles(golden.input)));
}

INSTANTIATE_TEST_SUITE_P(Files, PreprocessGolden,
                         testing::ValuesIn(golden::ListCases(KEL_SOURCE_DIR "/tests/golden/kelc/preprocess", ".test")),
                         [](const testing::TestParamInfo<std::string>& info) { return golden::TestName(info.param); });

}  // namespace
