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

TEST(Paths, NamesCompareLetterForLetter) {
    EXPECT_TRUE(platform::SameFileName("units", "units"));
    EXPECT_FALSE(platform::SameFileName("Units", "units"));
}

}  // namespace
