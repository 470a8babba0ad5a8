// The Windows programs reproduce what the Linux build gives: the golden COB listings of kelc
// builds, the golden output of zarn, the COB bytes and the assembly text of the example unit,
// and cobdump's listing and disassembly.
#include "tests/support/AssembleText.h"
#include "tests/support/CobListing.h"
#include "tests/support/GoldenFile.h"
#include "tests/windows/WineFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string ReadSource(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The text without the line that tells how long the compilation took.
std::string WithoutCompileTime(const std::string& assembly) {
    std::istringstream in(assembly);
    std::string kept;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("//Compile time", 0) != 0) kept += line + "\n";
    return kept;
}

class WindowsKelcBuildGolden : public testing::TestWithParam<std::string> {};

TEST_P(WindowsKelcBuildGolden, MatchesTheLinuxExpectation) {
    golden::Case golden = golden::Load(GetParam());
    WineFolder dir;
    dir.Write("unit.kel", golden.input);
    CommandResult result = dir.Run("kelc.exe unit.kel");
    ASSERT_TRUE(dir.Exists("unit.cob")) << result.output;
    EXPECT_EQ(CobListing(dir.Read("unit.cob")), golden.expected);
}

INSTANTIATE_TEST_SUITE_P(Files, WindowsKelcBuildGolden,
                         testing::ValuesIn(golden::ListCases(KEL_SOURCE_DIR "/tests/golden/kelc/build", ".test")),
                         [](const testing::TestParamInfo<std::string>& info) { return golden::TestName(info.param); });

TEST(WindowsKelcExample, TheExampleUnitGivesTheLinuxBytes) {
    const std::string source = ReadSource(KEL_SOURCE_DIR "/examples/unit.kel");
    WineFolder windows;
    windows.Write("unit.kel", source);
    ASSERT_EQ(windows.Run("kelc.exe unit.kel").status, 0);
    TempDirectory native;
    std::filesystem::copy_file(KELC_EXECUTABLE, native.File("kelc"));
    std::filesystem::copy_file(ZARN_EXECUTABLE, native.File("zarn"));
    native.Write("unit.kel", source);
    ASSERT_EQ(RunCommand(native.Path(), "./kelc unit.kel").status, 0);

    EXPECT_EQ(windows.Read("unit.cob"), native.Read("unit.cob"));
    EXPECT_EQ(WithoutCompileTime(windows.Read("unit.zarn")), WithoutCompileTime(native.Read("unit.zarn")));
    EXPECT_NE(windows.Read("unit.zarn").find("\r\n"), std::string::npos);
    EXPECT_EQ(windows.Read("unit.prezarn"), native.Read("unit.prezarn"));
}

// zarn.exe prints what the golden file expects (between its own header and finish lines) and
// writes the COB bytes the Linux assembler makes.
class WindowsZarnGolden : public testing::TestWithParam<std::string> {};

TEST_P(WindowsZarnGolden, MatchesTheLinuxAssembler) {
    golden::Case golden = golden::Load(GetParam());
    std::vector<std::string> flags;
    std::string flagText;
    const std::string prefix = "// flags:";
    if (golden.input.rfind(prefix, 0) == 0)
        flagText = golden.input.substr(prefix.size(), golden.input.find('\n') - prefix.size());
    std::istringstream words(flagText);
    for (std::string word; words >> word;) flags.push_back(word);
    AssembledText native = AssembleText(golden.input, flags);

    WineFolder dir({"zarn.exe"});
    dir.Write("test.zarn", golden.input);
    CommandResult result = dir.Run("zarn.exe test.zarn" + flagText);
    EXPECT_EQ(result.status, native.ok ? 0 : 1);
    EXPECT_NE(result.output.find("File: test.zarn\n" + native.console), std::string::npos) << result.output;
    EXPECT_EQ(dir.Exists("test.cob"), native.ok);
    if (native.ok) {
        EXPECT_EQ(dir.Read("test.cob"), native.cob);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, WindowsZarnGolden,
                         testing::ValuesIn(golden::ListCases(KEL_SOURCE_DIR "/tests/golden/zarn", ".test")),
                         [](const testing::TestParamInfo<std::string>& info) { return golden::TestName(info.param); });

TEST(WindowsZarn, CarriageReturnLineEndsBehaveAsLineFeeds) {
    const std::string good = ReadSource(KEL_SOURCE_DIR "/examples/tank.zarn");
    const std::string bad = "piece base;\nproc Go args none; var none; beginproc\n\npushc nowhere;\nendproc;\n";
    auto crlf = [](const std::string& text) {
        std::string converted;
        for (char c : text) converted += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return converted;
    };
    WineFolder dir({"zarn.exe"});
    dir.Write("lf.zarn", good);
    dir.Write("crlf.zarn", crlf(good));
    ASSERT_EQ(dir.Run("zarn.exe lf.zarn").status, 0);
    ASSERT_EQ(dir.Run("zarn.exe crlf.zarn").status, 0);
    EXPECT_EQ(dir.Read("crlf.cob"), dir.Read("lf.cob"));

    dir.Write("bad.zarn", crlf(bad));
    CommandResult result = dir.Run("zarn.exe bad.zarn");
    EXPECT_NE(result.output.find(ErrorsOf(bad)), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Error on line 4: 0x21 (Undefined term, nowhere)\n"), std::string::npos);
}

TEST(WindowsZarn, TheDeviceNulTakesTheOutputInPlace) {
    WineFolder dir({"zarn.exe"});
    dir.Write("tank.zarn", ReadSource(KEL_SOURCE_DIR "/examples/tank.zarn"));
    CommandResult result = dir.Run("zarn.exe tank.zarn NUL");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_FALSE(dir.Exists("tank.cob"));
    EXPECT_FALSE(dir.Exists("NUL"));
}

TEST(WindowsCobdump, ListsAndDisassemblesAsOnLinux) {
    WineFolder dir({"zarn.exe", "cobdump.exe"});
    dir.Write("tank.zarn", ReadSource(KEL_SOURCE_DIR "/examples/tank.zarn"));
    ASSERT_EQ(dir.Run("zarn.exe tank.zarn -o0").status, 0);
    for (const std::string mode : {"", "-S ", "--check "}) {
        CommandResult windows = dir.Run("cobdump.exe " + mode + "tank.cob");
        CommandResult native = RunCommand(dir.Path(), "'" COBDUMP_EXECUTABLE "' " + mode + "tank.cob");
        EXPECT_EQ(windows.status, native.status) << mode;
        EXPECT_EQ(windows.output, native.output) << mode;
    }
    CommandResult missing = dir.Run("cobdump.exe missing.cob");
    EXPECT_EQ(missing.status, 1);
}

}  // namespace
