#include "platform/UserFolders.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

TEST(UserFoldersWin32, SettingsRoamInAppDataAndWorkingFilesStayLocal) {
    const char* roaming = std::getenv("APPDATA");
    const char* local = std::getenv("LOCALAPPDATA");
    ASSERT_NE(roaming, nullptr);  // every Windows session (and wine) sets both
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(platform::UserSettingsDirectory("kelc"), std::string(roaming) + "\\kelc");
    EXPECT_EQ(platform::UserWorkingDirectory("kelc"), std::string(local) + "\\kelc");
}

TEST(UserFoldersWin32, MakesMissingParentsAndRefusesAFileInTheWay) {
    TempDirectory dir;
    std::string reason;
    EXPECT_TRUE(platform::MakeUserDirectory(dir.Path() + "\\a\\b/kelc", reason)) << reason;
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("a/b/kelc")));
    EXPECT_TRUE(platform::MakeUserDirectory(dir.File("a/b/kelc"), reason));  // already there
    dir.Write("file", "x");
    EXPECT_FALSE(platform::MakeUserDirectory(dir.File("file"), reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(platform::MakeUserDirectory(dir.File("file/kelc"), reason));
}

TEST(UserFoldersWin32, WritabilityIsTriedAndLeavesNothingBehind) {
    TempDirectory dir;
    EXPECT_TRUE(platform::CanWriteIn(dir.Path()));
    EXPECT_TRUE(platform::CanReplace(dir.File("missing.ini")));
    EXPECT_FALSE(platform::CanWriteIn(dir.File("missing")));
    EXPECT_FALSE(platform::CanReplace(dir.File("missing/kelc.ini")));
    dir.Write("kelc.ini", "");
    std::filesystem::permissions(dir.File("kelc.ini"), std::filesystem::perms::owner_read);  // read-only
    EXPECT_FALSE(platform::CanReplace(dir.File("kelc.ini")));
    std::filesystem::permissions(dir.File("kelc.ini"), std::filesystem::perms::owner_all);
    EXPECT_TRUE(platform::CanReplace(dir.File("kelc.ini")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
}

}  // namespace
