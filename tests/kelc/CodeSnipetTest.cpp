#include "kelc/CodeSnipet.h"
#include "kelc/IdentScope.h"

#include <gtest/gtest.h>

namespace {

using kelc::TCodeSnipet;
using Lines = std::vector<std::string>;

Lines LinesOf(const kelc::TTextLines& lines) { return Lines(lines.begin(), lines.end()); }

class CodeSnipetTest : public testing::Test {
protected:
    CodeSnipetTest() {
        for (int i = 0; i < 3; ++i) scope.EmitLine("line" + std::to_string(i));
    }
    kelc::TGobalIdentScope scope;
};

TEST_F(CodeSnipetTest, AnActivatedSnippetNumbersItsLinesFromItsFirstLine) {
    TCodeSnipet snippet(scope, false);
    snippet.Activate(10, TCodeSnipet::kOpenEnd);
    EXPECT_EQ(scope.EmitLine("a"), 10);
    EXPECT_EQ(scope.EmitLine("b"), 11);
    EXPECT_EQ(snippet.NextLineNumber(), 12);
    EXPECT_EQ(scope.Snippet->GetLine(1), "line1");  // below the range: served by the root
}

TEST_F(CodeSnipetTest, InsertingAndDeletingBelowShiftsTheActiveSnippet) {
    TCodeSnipet snippet(scope, false);
    snippet.Activate(3, TCodeSnipet::kOpenEnd);
    scope.EmitLine("mine");
    scope.InsertLine(1, "inserted");
    EXPECT_EQ(snippet.FirstLine(), 4);
    EXPECT_EQ(scope.Snippet->GetLine(4), "mine");
    scope.Snippet->DeleteLine(0);
    EXPECT_EQ(snippet.FirstLine(), 3);
    EXPECT_EQ(LinesOf(scope.Lines), (Lines{"inserted", "line1", "line2"}));
}

TEST_F(CodeSnipetTest, TurnAndMoveCaptureEmitsTheSecondOperandFirst) {
    int comment = scope.BeginCommentLine("turn");
    TCodeSnipet first(scope, false), second(scope, false);
    first.Activate(scope.Snippet->NextLineNumber(), TCodeSnipet::kOpenEnd);
    scope.EmitLine("destination");
    second.Activate(comment + 1, TCodeSnipet::kOpenEnd);
    scope.EmitLine("speed");
    scope.AppendToLine(comment, " x");  // reaches the root through both snippets
    second.Deactivate();
    first.Deactivate();
    second.Flush();
    first.Flush();
    EXPECT_EQ(LinesOf(scope.Lines), (Lines{"line0", "line1", "line2", "// turn x", "speed", "destination"}));
}

TEST_F(CodeSnipetTest, FlushAndMoveRules) {
    TCodeSnipet empty(scope, false);
    empty.Flush();
    EXPECT_EQ(scope.Lines.size(), 3u);

    TCodeSnipet snippet(scope, false);
    snippet.Activate(scope.Snippet->NextLineNumber(), TCodeSnipet::kOpenEnd);
    scope.EmitLine("x");
    snippet.Deactivate();
    snippet.Flush();
    snippet.Flush();
    EXPECT_EQ(LinesOf(scope.Lines), (Lines{"line0", "line1", "line2", "x", "x"}));

    kelc::TIdentScope& function = scope.AddScope("f", false);
    function.EmitLine("body");
    function.Snippet->MoveTo(function);  // its own scope: nothing
    EXPECT_EQ(LinesOf(function.Lines), Lines{"body"});
    function.Snippet->MoveTo(scope);
    EXPECT_EQ(scope.Lines.back(), "body");
    EXPECT_TRUE(function.Lines.empty());
}

TEST_F(CodeSnipetTest, DeactivationOnlyPopsTheTopAndDestructionRestoresThePrevious) {
    TCodeSnipet lower(scope, false), upper(scope, false);
    lower.Activate(3, TCodeSnipet::kOpenEnd);
    upper.Activate(3, TCodeSnipet::kOpenEnd);
    lower.Deactivate();  // not on top: no change
    EXPECT_EQ(scope.Snippet, &upper);
    {
        TCodeSnipet temporary(scope, false);
        temporary.Activate(3, TCodeSnipet::kOpenEnd);
    }
    EXPECT_EQ(scope.Snippet, &upper);
    upper.Deactivate();
    lower.Deactivate();
    EXPECT_FALSE(lower.IsActive());
}

}  // namespace
