#include "kelc/LineInfo.h"

#include <gtest/gtest.h>

namespace {

using kelc::TLineInfo;
using kelc::TLineInfoList;
using kelc::TLineInfoResults;

// main.kel: 3 lines at output 0..30, including inc.kel (2 lines) at output 10..20.
TLineInfoList Sample() {
    TLineInfoList list;
    TLineInfo& main = list.Add();
    main.startPos = 0;
    main.endPos = 30;
    main.fileName = "main.kel";
    main.lineStarts = {0, 5, 22};
    TLineInfo& inc = list.Add();
    inc.startPos = 10;
    inc.endPos = 20;
    inc.fileName = "inc.kel";
    inc.lineStarts = {0, 4};
    return list;
}

TEST(LineInfo, TheInnermostFileAndItsOwnLine) {
    TLineInfoList list = Sample();
    TLineInfoResults r;
    ASSERT_TRUE(list.Lookup(12, r));
    EXPECT_EQ(r.fileName, "inc.kel");
    EXPECT_EQ(r.line, 1);
    EXPECT_EQ(r.column, 3);
    EXPECT_EQ(r.offset, 2);
    ASSERT_TRUE(list.Lookup(19, r));
    EXPECT_EQ(r.line, 2);
    EXPECT_EQ(r.column, 6);
}

TEST(LineInfo, AfterTheIncludeTheIncluderContinues) {
    TLineInfoList list = Sample();
    TLineInfoResults r;
    ASSERT_TRUE(list.Lookup(20, r));
    EXPECT_EQ(r.fileName, "main.kel");
    EXPECT_EQ(r.line, 2);
    EXPECT_EQ(r.column, 16);
    ASSERT_TRUE(list.Lookup(29, r));  // the last line, after the last line end
    EXPECT_EQ(r.line, 3);
    EXPECT_EQ(r.column, 8);
    ASSERT_TRUE(list.Lookup(0, r));
    EXPECT_EQ(r.line, 1);
    EXPECT_EQ(r.column, 1);
    EXPECT_EQ(r.offset, 0);
}

TEST(LineInfo, OffsetsOutsideEveryStretchAreNotFound) {
    TLineInfoList list = Sample();
    TLineInfoResults r;
    r.fileName = "kept";
    EXPECT_FALSE(list.Lookup(30, r));
    EXPECT_FALSE(list.Lookup(-1, r));
    EXPECT_EQ(r.fileName, "kept");
}

TEST(LineInfo, AnEntryStillBeingProcessedIsNotFound) {
    TLineInfoList list;
    list.Add().lineStarts = {0};
    TLineInfoResults r;
    EXPECT_FALSE(list.Lookup(0, r));
}

TEST(LineInfo, AnEntryWithoutLineStartsGivesLineOneColumnOne) {
    TLineInfoList list;
    TLineInfo& info = list.Add();
    info.startPos = 4;
    info.endPos = 9;
    TLineInfoResults r;
    ASSERT_TRUE(list.Lookup(7, r));
    EXPECT_EQ(r.line, 1);
    EXPECT_EQ(r.column, 1);
    EXPECT_EQ(r.offset, 3);
}

TEST(LineInfo, ManyIncludedFilesInARowAndNested) {
    // main.kel [0, 3000) includes a.kel 1000 times, 2 characters each from offset 10, then b.kel
    // at 2500, which includes an empty c.kel at its start and d.kel after 10 characters.
    TLineInfoList list;
    TLineInfo& main = list.Add();
    main.fileName = "main.kel";
    main.endPos = 3000;
    main.lineStarts = {0, 2600};
    auto add = [&list](const char* name, std::int32_t start, std::int32_t end) {
        TLineInfo& info = list.Add();
        info.fileName = name;
        info.startPos = start;
        info.endPos = end;
        info.lineStarts = {0};
    };
    for (int i = 0; i < 1000; ++i) add("a.kel", 10 + 2 * i, 12 + 2 * i);
    add("b.kel", 2500, 2600);
    add("c.kel", 2500, 2500);
    add("d.kel", 2510, 2520);
    auto at = [&list](std::int32_t offset) {
        TLineInfoResults r;
        if (!list.Lookup(offset, r)) return std::string("not found");
        return r.fileName + " " + std::to_string(r.line) + ":" + std::to_string(r.column) + " +" + std::to_string(r.offset);
    };
    EXPECT_EQ(at(1009), "a.kel 1:2 +1");
    EXPECT_EQ(at(2010), "main.kel 1:2011 +2010");
    EXPECT_EQ(at(2500), "b.kel 1:1 +0");
    EXPECT_EQ(at(2515), "d.kel 1:6 +5");
    EXPECT_EQ(at(2520), "b.kel 1:21 +20");
    EXPECT_EQ(at(2999), "main.kel 2:400 +2999");
    EXPECT_EQ(at(3000), "not found");
}

TEST(LineInfo, EntriesAddedAfterALookupAreFound) {
    TLineInfoList list = Sample();
    TLineInfoResults r;
    ASSERT_TRUE(list.Lookup(25, r));
    TLineInfo& late = list.Add();
    late.fileName = "late.kel";
    late.startPos = 24;
    late.endPos = 26;
    ASSERT_TRUE(list.Lookup(25, r));
    EXPECT_EQ(r.fileName, "late.kel");
    ASSERT_TRUE(list.Lookup(26, r));
    EXPECT_EQ(r.fileName, "main.kel");
}

TEST(LineInfo, PlaceTokenTakesTheOriginOfTheOffsetBeforePos) {
    TLineInfoList list = Sample();
    kelc::TTokenData token;
    token.pos = 13;  // offset 12
    token.line = token.column = 99;
    kelc::PlaceToken(list, token);
    EXPECT_EQ(token.fileName, "inc.kel");
    EXPECT_EQ(token.line, 1);
    EXPECT_EQ(token.column, 3);
    EXPECT_EQ(token.pos, 2);
    kelc::TTokenData outside;
    outside.pos = 31;
    outside.line = 7;
    kelc::PlaceToken(list, outside);
    EXPECT_EQ(outside.fileName, "");
    EXPECT_EQ(outside.line, 7);
    EXPECT_EQ(outside.pos, 31);
}

TEST(LineInfo, ClearAndCurrent) {
    TLineInfoList list = Sample();
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.CurrentItem(), nullptr);
    list.SetCurrent(1);
    EXPECT_EQ(list.CurrentItem()->fileName, "inc.kel");
    list.Clear();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.Current(), -1);
}

}  // namespace
