#include "kelc/Tokens.h"

#include <gtest/gtest.h>

namespace {

using namespace kelc;  // the tt... kind names

TEST(TokenKinds, KindsWithoutADisplayNameAreNamedByNumber) {
    EXPECT_EQ(TokenKindName(ttMissionCommand), "Unknown token93");
    EXPECT_EQ(TokenKindName(static_cast<TTokenType>(1)), "Unknown token1");
    EXPECT_EQ(TokenKindName(static_cast<TTokenType>(102)), "Unknown token102");
}

TEST(TokenKinds, EveryKeywordKindFrom55Is_DisplayedAsItsKeyword) {
    for (const TSymbolData& entry : KeywordTable) {
        if (entry.kind >= 55 && entry.kind != ttMissionCommand) {
            EXPECT_EQ(TokenKindName(entry.kind), entry.name);
        }
    }
}

TEST(TokenKinds, KeywordListIsSortedAndIgnoresCase) {
    TKeywordList list = BuildKeywordList();
    EXPECT_EQ(list.Count(), 53u);
    EXPECT_EQ(list.Find("IF"), ttIf);
    EXPECT_EQ(list.Find("While"), ttWhile);
    EXPECT_EQ(list.Find("WAIT-FOR-TURN"), ttWaitForTurn);
    EXPECT_EQ(list.Find("mission-command"), ttMissionCommand);
    EXPECT_EQ(list.Find("ifx"), ttIdentifier);
    EXPECT_EQ(list.Find(""), ttIdentifier);
}

}  // namespace
