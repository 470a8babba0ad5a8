#include "platform/ChildProcess.h"
#include "platform/Program.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The command interpreter, which every Windows (and wine) has.
std::string CommandInterpreter() {
    const char* path = std::getenv("ComSpec");
    return path != nullptr ? path : "C:\\windows\\system32\\cmd.exe";
}

TEST(ChildProcessWin32, RunsAProgramByItsPathAndReportsItsExitStatus) {
    platform::ChildResult result = platform::RunChildProcess(CommandInterpreter(), {"/c", "exit 3"});
    EXPECT_TRUE(result.started) << result.reason;
    EXPECT_EQ(result.exitStatus, 3);
}

// This very test program, copied into a folder with blanks, runs a few of its tests and writes
// its report under a name with blanks: both names must reach it whole.
TEST(ChildProcessWin32, NamesWithBlanksReachTheChildWhole) {
    TempDirectory dir;
    std::filesystem::create_directory(dir.File("my tools"));
    std::filesystem::copy_file(platform::ProgramPath(), dir.File("my tools/copy of tests.exe"));
    platform::ChildResult result = platform::RunChildProcess(
        dir.File("my tools/copy of tests.exe"),
        {"--gtest_filter=PathsWin32.*", "--gtest_output=xml:" + dir.File("my tools/the report.xml")});
    EXPECT_TRUE(result.started) << result.reason;
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_NE(dir.Read("my tools/the report.xml").find("NamesCompareWithoutRegardToCase"), std::string::npos);
}

TEST(ChildProcessWin32, DoesNotSearchTheSystemPath) {
    TempDirectory dir;
    std::string before = platform::CurrentDirectory();
    ASSERT_TRUE(platform::SetCurrentDirectory(dir.Path()));
    platform::ChildResult result = platform::RunChildProcess("cmd.exe", {"/c", "exit 0"});
    ASSERT_TRUE(platform::SetCurrentDirectory(before));
    EXPECT_FALSE(result.started);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(result.reason.find('\n'), std::string::npos);
}

TEST(ProgramWin32, PathAndCurrentDirectory) {
    std::string path = platform::ProgramPath();
    EXPECT_EQ(path.substr(1, 2), ":\\") << path;
    EXPECT_NE(path.find("platform_tests.exe"), std::string::npos) << path;
    EXPECT_EQ(platform::CurrentDirectory().substr(1, 2), ":\\");
}

}  // namespace
