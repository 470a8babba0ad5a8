#include "kelc/CaseSensitiveStringList.h"

#include <gtest/gtest.h>

namespace {

TEST(CaseSensitiveStringList, NamesDifferingInLetterCaseAreDistinct) {
    int one = 1, two = 2;
    kelc::TCaseSensitiveStringList<int> list;
    EXPECT_TRUE(list.Add("b", &two));
    EXPECT_TRUE(list.Add("B", &one));
    EXPECT_FALSE(list.Add("b", &one)) << "a duplicate is refused";
    EXPECT_EQ(list.Find("b"), &two);
    EXPECT_EQ(list.Find("B"), &one);
    EXPECT_EQ(list.Find("c"), nullptr);
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_TRUE(list.Remove("B"));
    EXPECT_FALSE(list.Remove("B"));
    EXPECT_FALSE(list.Contains("B"));
    EXPECT_EQ(list.Find("b"), &two);
}

}  // namespace
