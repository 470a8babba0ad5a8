#include "kelc/TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kelc::TTextLines;
using Lines = std::vector<std::string>;

Lines LinesOf(const TTextLines& lines) { return Lines(lines.begin(), lines.end()); }

TTextLines Made(const Lines& texts) {
    TTextLines lines;
    for (const std::string& text : texts) lines.Add(text);
    return lines;
}

TEST(TextLines, EditsKeepTheOrderOfTheLinesNotOfTheirCharacters) {
    TTextLines lines = Made({"a", "b", "c"});
    lines.Append(0, " echo");  // not the last written: moves to the end of the buffer
    lines.Append(2, "c");      // the last written: grows where it stands
    lines.Insert(1, "inserted");
    lines.Set(3, "set");
    lines.Erase(2);
    lines.Add("x", 2);
    EXPECT_EQ(LinesOf(lines), (Lines{"a echo", "inserted", "set", "  x"}));
    EXPECT_EQ(lines.TakeText(), "a echo\r\ninserted\r\nset\r\n  x\r\n");
    EXPECT_TRUE(lines.empty());
}

TEST(TextLines, TextsTakenFromTheLinesThemselvesSurviveTheBufferGrowing) {
    TTextLines lines = Made({"first line", "second"});
    for (int i = 0; i < 12; ++i) lines.Append(1, lines[1]);  // doubles the line, and the buffer with it
    lines.Set(0, lines[1]);
    lines.Insert(0, lines[0].substr(0, 6));
    std::string doubled;
    for (int i = 0; i < 4096; ++i) doubled += "second";
    EXPECT_EQ(lines[0], "second");
    EXPECT_EQ(lines[1], doubled);
    EXPECT_EQ(lines[1], lines[2]);
    lines.AddAll(lines);
    EXPECT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3], "second");
}

TEST(TextLines, SpaceLeftByMovedLinesIsReclaimed) {
    TTextLines lines = Made({"// echo", "pushc 1;"});
    for (int word = 0; word < 10000; ++word) {
        lines.Append(0, " w");
        lines.Add("pushc 1;");
    }
    const std::string text = lines.TakeText();
    EXPECT_EQ(text.size(), 7 + 2 * 10000 + 2 + 10001 * 10);
    EXPECT_EQ(text.compare(0, 13, "// echo w w w"), 0);
}

TEST(TextLines, AddAllCopiesInOrderAndLeavesTheSource) {
    TTextLines target = Made({"t"});
    TTextLines source = Made({"x", "y"});
    source.Insert(0, "w");
    target.AddAll(source);
    EXPECT_EQ(LinesOf(target), (Lines{"t", "w", "x", "y"}));
    EXPECT_EQ(LinesOf(source), (Lines{"w", "x", "y"}));
}

}  // namespace
