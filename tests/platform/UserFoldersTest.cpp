#include "platform/UserFolders.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(UserFolders, PerUserFoldersEndInTheApplicationsName) {
    std::string settings = platform::UserSettingsDirectory("kelc");
    std::string working = platform::UserWorkingDirectory("kelc");
    ASSERT_FALSE(settings.empty());  // a test machine always has a home
    EXPECT_EQ(settings.substr(settings.size() - 5), "/kelc");
    EXPECT_EQ(working.substr(working.size() - 5), "/kelc");
    EXPECT_EQ(settings[0], '/');
}

TEST(UserFolders, MakesMissingParentsAndRefusesAFileInTheWay) {
    TempDirectory dir;
    std::string reason;
    EXPECT_TRUE(platform::MakeUserDirectory(dir.File("a/b/kelc"), reason)) << reason;
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("a/b/kelc")));
    EXPECT_TRUE(platform::MakeUserDirectory(dir.File("a/b/kelc"), reason));  // already there
    dir.Write("file", "x");
    EXPECT_FALSE(platform::MakeUserDirectory(dir.File("file"), reason));
    EXPECT_EQ(reason, "Not a directory");
    EXPECT_FALSE(platform::MakeUserDirectory(dir.File("file/kelc"), reason));
}

TEST(UserFolders, WritabilityOfFoldersAndFiles) {
    TempDirectory dir;
    EXPECT_TRUE(platform::CanWriteIn(dir.Path()));
    EXPECT_TRUE(platform::CanReplace(dir.File("missing.ini")));
    EXPECT_FALSE(platform::CanWriteIn(dir.File("missing")));
    EXPECT_FALSE(platform::CanReplace(dir.File("missing/kelc.ini")));
}

}  // namespace
