#include "platform/Paths.h"

#include <gtest/gtest.h>

namespace {

TEST(Paths, OnlySlashesSeparateAndOnlyALeadingOneMakesARoot) {
    EXPECT_EQ(platform::kPathDelimiter, '/');
    EXPECT_TRUE(platform::IsPathDelimiter('/'));
    EXPECT_FALSE(platform::IsPathDelimiter('\\'));  // an ordinary character in a Linux name
    EXPECT_EQ(platform::RootLength("/units/arm.kel"), 1u);
    EXPECT_EQ(platform::RootLength("units/arm.kel"), 0u);
    EXPECT_EQ(platform::RootLength("C:\\units"), 0u);
}

TEST(Paths, PartsOfAName) {
    EXPECT_EQ(platform::DirectoryOf("units/arm.kel"), "units/");
    EXPECT_EQ(platform::DirectoryOf("arm.kel"), "");
    EXPECT_EQ(platform::FileNameOf("units/arm.kel"), "arm.kel");
    EXPECT_EQ(platform::FileNameOf("arm.kel"), "arm.kel");
}

TEST(Paths, TheExtensionIsReplacedOrAppended) {
    EXPECT_EQ(platform::ReplaceExtension("arm.kel", ".zarn"), "arm.zarn");
    EXPECT_EQ(platform::ReplaceExtension("../units/arm.kel", "_ZARN_error.txt"), "../units/arm_ZARN_error.txt");
    EXPECT_EQ(platform::ReplaceExtension("dir.v2/arm", ".prezarn"), "dir.v2/arm.prezarn");
    EXPECT_EQ(platform::ReplaceExtension("arm.v1.kel", ".cob"), "arm.v1.cob");
    EXPECT_EQ(platform::ReplaceExtension(".zarn", ".cob"), ".cob");
}

TEST(Paths, NamesCompareLetterForLetter) {
    EXPECT_TRUE(platform::SameFileName("units", "units"));
    EXPECT_FALSE(platform::SameFileName("Units", "units"));
}

}  // namespace
