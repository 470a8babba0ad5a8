#include "platform/Paths.h"

#include <gtest/gtest.h>

namespace {

TEST(PathsWin32, BothSlashesSeparateDirectories) {
    EXPECT_EQ(platform::kPathDelimiter, '\\');
    EXPECT_TRUE(platform::IsPathDelimiter('\\'));
    EXPECT_TRUE(platform::IsPathDelimiter('/'));
    EXPECT_FALSE(platform::IsPathDelimiter(':'));
}

TEST(PathsWin32, OnlyADriveLetterWithItsRootMakesARoot) {
    EXPECT_EQ(platform::RootLength("C:\\units\\arm.kel"), 3u);
    EXPECT_EQ(platform::RootLength("c:/units/arm.kel"), 3u);
    EXPECT_EQ(platform::RootLength("C:\\"), 3u);
    EXPECT_EQ(platform::RootLength("C:arm.kel"), 0u);  // relative to that drive's current directory
    EXPECT_EQ(platform::RootLength("\\units\\arm.kel"), 0u);
    EXPECT_EQ(platform::RootLength("units\\arm.kel"), 0u);
    EXPECT_EQ(platform::RootLength("1:\\units"), 0u);
}

TEST(PathsWin32, NamesCompareWithoutRegardToCase) {
    EXPECT_TRUE(platform::SameFileName("Units", "UNITS"));
    EXPECT_TRUE(platform::SameFileName("c:", "C:"));
    EXPECT_FALSE(platform::SameFileName("Units", "Unit"));
    EXPECT_FALSE(platform::SameFileName("arm", "ark"));
}

}  // namespace
