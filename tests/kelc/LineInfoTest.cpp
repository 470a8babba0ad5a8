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
