#include "platform/IniFile.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(IniFile, ReadsSectionsAndKeysWithoutRegardToCaseAndTrimsValues) {
    TempDirectory dir;
    dir.Write("k.ini", "[Other]\r\nName=wrong\r\n[settings]\r\n  name  =  right value \r\n");
    platform::IniFile ini(dir.File("k.ini"));
    EXPECT_EQ(ini.ReadString("Settings", "NAME", "default"), "right value");
    EXPECT_EQ(ini.ReadString("Settings", "Missing", "default"), "default");
    EXPECT_EQ(platform::IniFile(dir.File("absent.ini")).ReadString("Settings", "Name", "d"), "d");
}

TEST(IniFile, WritingKeepsOtherSectionsAndKeysAndCreatesTheFile) {
    TempDirectory dir;
    dir.Write("k.ini", "; note\r\n[Settings]\r\nIncludePaths=a;b\r\nPauseAtEnd=5\r\n[Other]\r\nx=1\r\n");
    platform::IniFile ini(dir.File("k.ini"));
    std::string reason;
    ASSERT_TRUE(ini.WriteStrings("SETTINGS", {{"PauseAtEnd", "0"}, {"AutoEmitLastRet", "1"}}, reason));
    EXPECT_EQ(dir.Read("k.ini"),
              "; note\r\n[Settings]\r\nIncludePaths=a;b\r\nPauseAtEnd=0\r\nAutoEmitLastRet=1\r\n[Other]\r\nx=1\r\n");

    platform::IniFile fresh(dir.File("new.ini"));
    ASSERT_TRUE(fresh.WriteStrings("Settings", {{"A", ""}}, reason));
    EXPECT_EQ(dir.Read("new.ini"), "[Settings]\r\nA=\r\n");
}

TEST(IniFile, AFileThatCannotBeWrittenReportsWhy) {
    TempDirectory dir;
    platform::IniFile ini(dir.File("no/such/dir/k.ini"));
    std::string reason;
    EXPECT_FALSE(ini.WriteStrings("Settings", {{"A", "1"}}, reason));
    EXPECT_FALSE(reason.empty());
}

TEST(IniFile, APipeIsNeitherWaitedForNorReplaced) {
    TempDirectory dir;
    ASSERT_EQ(RunCommand(dir.Path(), "mkfifo k.ini").status, 0);
    platform::IniFile ini(dir.File("k.ini"));
    EXPECT_EQ(ini.ReadString("Settings", "Name", "default"), "default");
    std::string reason;
    EXPECT_FALSE(ini.WriteStrings("Settings", {{"A", "1"}}, reason));  // nobody reads the pipe
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("k.ini")));
}

}  // namespace
