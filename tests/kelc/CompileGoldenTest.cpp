// Each tests/golden/kelc/compile/*.test file: a KEL script, the marker, then the assembly text
// (the compile-time line masked, trailing blanks significant) and the messages. A first line
// "// settings: MirroxCompatibility=0 EnableZARNExtentions=0 AutoEmitLastRet=0" changes the
// settings, which otherwise have their defaults (all on).
#include "kelc/FileHandling.h"
#include "kelc/KELCompiler.h"
#include "tests/support/GoldenFile.h"

#include <gtest/gtest.h>


namespace {

kelc::TCompilerOptions SettingsOf(const std::string& input) {
    kelc::TCompilerOptions settings;
    for (const std::string& word : golden::HeaderWords(input, "// settings:")) {
        const bool on = word.size() > 2 && word.compare(word.size() - 2, 2, "=1") == 0;
        const std::string key = word.substr(0, word.find('='));
        if (key == "MirroxCompatibility") settings.MirroxCompatibility = on;
        else if (key == "EnableZARNExtentions") settings.EnableZARNExtentions = on;
        else if (key == "AutoEmitLastRet") settings.AutoEmitLastRet = on;
        else ADD_FAILURE() << "unknown setting " << word;
    }
    return settings;
}

// The compile time differs from run to run.
std::string Masked(const std::string& line) {
    const std::string prefix = "//Compile time  : ";
    return line.compare(0, prefix.size(), prefix) == 0 ? prefix + "<time> seconds." : line;
}

class KelcCompileGolden : public testing::TestWithParam<std::string> {};

TEST_P(KelcCompileGolden, MatchesExpectation) {
    golden::Case golden = golden::Load(GetParam());
    const kelc::TCompilerOptions settings = SettingsOf(golden.input);
    std::string preprocessed, assembly;
    kelc::TKELCompiler compiler("unit.kel", "unit.zarn", settings, preprocessed, assembly, golden.input);
    std::string actual;
    for (const std::string& line : kelc::SplitLines(assembly)) actual += Masked(line) + "\n";
    actual += "---- messages ----\n";
    for (const std::string& message : compiler.Messages) actual += message + "\n";
    golden::Check(golden, actual);
}

INSTANTIATE_TEST_SUITE_P(Files, KelcCompileGolden,
                         testing::ValuesIn(golden::ListCases(KEL_SOURCE_DIR "/tests/golden/kelc/compile", ".test")),
                         [](const testing::TestParamInfo<std::string>& info) { return golden::TestName(info.param); });

}  // namespace
