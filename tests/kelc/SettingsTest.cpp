#include "kelc/Settings.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

TEST(Settings, BooleansAreIntegersAndAnythingElseGivesTheDefault) {
    TempDirectory dir;
    dir.Write("k.ini", "[Settings]\nPauseAtEnd=0x10\nPauseOnException=0\nAutoEmitLastRet=yes\n"
                       "MirroxCompatibility=2\nCompileAndDoNotAssemble=0x\nAssemblerParams=  -o1 -t1  \n");
    kelc::TSettings settings = kelc::LoadSettings(platform::IniFile(dir.File("k.ini")));
    EXPECT_TRUE(settings.PauseAtEnd);
    EXPECT_FALSE(settings.PauseOnException);
    EXPECT_TRUE(settings.AutoEmitLastRet);       // default
    EXPECT_TRUE(settings.MirroxCompatibility);
    EXPECT_FALSE(settings.CompileAndDoNotAssemble);  // default
    EXPECT_EQ(settings.AssemblerParams, "-o1 -t1");
    EXPECT_EQ(settings.AssemblerExeName, kelc::DefaultAssemblerExeName());
}

TEST(Settings, SavingWritesTheNineKeysAndKeepsThePathLists) {
    TempDirectory dir;
    dir.Write("k.ini", "[Settings]\nIncludePaths=a;b\nPauseAtEnd=yes\n");
    platform::IniFile file(dir.File("k.ini"));
    kelc::SaveSettings(file, dir.File("k.ini"), kelc::LoadSettings(file));
    EXPECT_EQ(dir.Read("k.ini"),
              "[Settings]\r\nIncludePaths=a;b\r\nPauseAtEnd=0\r\nEnableZARNExtentions=1\r\nAssemblerExeName=" +
                  kelc::DefaultAssemblerExeName() +
                  "\r\nAssemblerParams=-l -o0 -t0\r\nAssemblerOutputFile=\r\nCompileAndDoNotAssemble=0\r\n"
                  "PauseOnException=1\r\nAutoEmitLastRet=1\r\nMirroxCompatibility=1\r\n");
    EXPECT_THROW(kelc::SaveSettings(platform::IniFile(dir.File("no/k.ini")), "no/k.ini", kelc::TSettings()),
                 std::runtime_error);
}

}  // namespace
