#include "platform/ChildProcess.h"
#include "platform/Program.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

TEST(ChildProcess, RunsAProgramByItsPathAndReportsItsExitStatus) {
    platform::ChildResult result = platform::RunChildProcess("/bin/sh", {"-c", "exit 3"});
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitStatus, 3);
}

TEST(ChildProcess, DoesNotSearchTheSystemPath) {
    platform::ChildResult result = platform::RunChildProcess("sh", {"-c", "exit 0"});
    EXPECT_FALSE(result.started);
    EXPECT_EQ(result.reason, "No such file or directory");
}

TEST(ChildProcess, RunsInTheGivenDirectoryAndCanCaptureBothStreams) {
    TempDirectory dir;
    platform::ChildOptions options;
    options.workingDirectory = dir.Path();
    options.captureOutput = true;
    platform::ChildResult result =
        platform::RunChildProcess("/bin/sh", {"-c", "echo out; echo err >&2; pwd > here.txt; exit 2"}, options);
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.output, "out\nerr\n");
    EXPECT_EQ(dir.Read("here.txt"), dir.Path() + "\n");
}

TEST(ChildProcess, AMissingWorkingDirectoryIsAFailedStart) {
    platform::ChildOptions options;
    options.workingDirectory = "/nonexistent/kel";
    platform::ChildResult result = platform::RunChildProcess("/bin/sh", {"-c", "exit 0"}, options);
    EXPECT_FALSE(result.started);
    EXPECT_EQ(result.reason, "No such file or directory");
}

TEST(Program, PathAndCurrentDirectory) {
    EXPECT_NE(platform::ProgramPath().find("platform_tests"), std::string::npos);
    std::string before = platform::CurrentDirectory();
    TempDirectory dir;
    ASSERT_TRUE(platform::SetCurrentDirectory(dir.Path()));
    EXPECT_FALSE(platform::SetCurrentDirectory(dir.File("missing")));
    ASSERT_TRUE(platform::SetCurrentDirectory(before));
}

}  // namespace
