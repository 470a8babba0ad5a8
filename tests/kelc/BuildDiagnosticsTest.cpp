// The pieces behind --diagnostics=gnu and -MD: compiler messages in the gnu form, assembler
// lines placed at their source, tags that carry source places through the assembly text, and
// the make rule.
#include "kelc/AssemblerDiagnostics.h"
#include "kelc/DepFile.h"
#include "kelc/GnuDiagnostics.h"
#include "kelc/SourceOrigins.h"
#include "kelc/FileHandling.h"
#include "tests/kelc/CompileText.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(GnuDiagnostics, CompilerMessagesBecomeOneLineEachAtTheirInnermostPlace) {
    Lines messages{
        "[Error] \"arm.kel\"(4:9) : Undeclaired identifier, Y",
        "[Warning] \"units/arm.kel\"(7:1) : Something odd",
        "[Fatal Error] : \"arm.kel\"(2:3) : \"inc/a.kelh\"(5:1) : No #ifdef for #endif",
        "[Fatal Error] : Unable to find \"arm.kel\"",
        "[Fatal Error] \"arm.kel\"(7:19) : Inlinable function, Sum, can not be called via start-script",
        "[Fatal Error] \"arm.kel\"(7:19) : In function \"Main\" [Fatal Error] \"arm.kel\"(7:19) : Inlinable function, "
        "Sum, can not be called via start-script",
        "[Fatal Error] \"arm.kel\"(4:9) : Could not compile dependant file.",
    };
    EXPECT_EQ(kelc::GnuCompilerDiagnostics(messages),
              (Lines{"arm.kel:4:9: error: Undeclaired identifier, Y", "units/arm.kel:7:1: warning: Something odd",
                     "inc/a.kelh:5:1: error: No #ifdef for #endif", "kelc: error: Unable to find \"arm.kel\"",
                     "arm.kel:7:19: error: Inlinable function, Sum, can not be called via start-script"}));
}

TEST(AssemblerDiagnostics, LinesArePlacedAtTheNearestKnownOriginAtOrAbove) {
    kelc::TOriginTags tags;
    kelc::TTokenData arm, include;
    arm.fileName = "arm.kel", arm.line = 3, arm.column = 5;
    include.fileName = "inc/a.kelh", include.line = 9, include.column = 1;
    std::string assembly =
        kelc::JoinLines({"piece p;", "// sleep " + tags.Tag(arm), "pushc 1;", "// x" + tags.Tag(include), "ret;"});
    kelc::TLineOrigins origins = tags.Strip(assembly);
    std::string output =
        "arm.zarn:1: error: Before any origin\narm.zarn:3: error: Undefined term, x\narm.zarn:4: warning: W\n"
        "zarn: error: something else\nother.zarn:2: error: not ours\narm.zarn:99: error: past the end\n";
    EXPECT_EQ(kelc::PlaceAssemblerDiagnostics(output, "arm.zarn", origins),
              (Lines{"arm.zarn:1: error: Before any origin", "arm.kel:3:5: error: Undefined term, x",
                     "inc/a.kelh:9:1: warning: W", "zarn: error: something else", "other.zarn:2: error: not ours",
                     "inc/a.kelh:9:1: error: past the end"}));
}

TEST(SourceOrigins, TagsComeOffAndLeaveTheirPlaceWithTheLine) {
    kelc::TOriginTags tags;
    kelc::TTokenData first, second;
    first.fileName = "a.kel", first.line = 2, first.column = 3;
    second.fileName = "b.kelh", second.line = 7, second.column = 1;
    std::string text = kelc::JoinLines({"// turn " + tags.Tag(first) + "turret", "pushc 1;" + tags.Tag(second),
                                        "plain \x1f@x\x1f line", "// copy " + tags.Tag(first)});
    kelc::TLineOrigins origins = tags.Strip(text);
    EXPECT_EQ(text, "// turn turret\r\npushc 1;\r\nplain \x1f@x\x1f line\r\n// copy \r\n");
    ASSERT_EQ(origins.LineCount(), 4u);
    EXPECT_EQ(origins.At(0)->fileName, "a.kel");
    EXPECT_EQ(origins.At(1)->line, 7);
    EXPECT_EQ(origins.At(2), nullptr);
    EXPECT_EQ(origins.At(3)->column, 3);
    EXPECT_EQ(origins.At(4), nullptr);
}

TEST(SourceOrigins, CompiledTextCarriesNoTags) {
    kelc::TCompilerOptions tracked;
    tracked.TrackLineOrigins = true;
    CompiledText compiled =
        CompileText("piece p;\nF(a)\n{\n  for (a = 0; a < 3; ++a) { __zarn { pushc 1; pop; } }\n}\n", tracked);
    std::string text = kelc::JoinLines(compiled.assembly);
    EXPECT_EQ(text.find('\x1f'), std::string::npos) << text;
}

TEST(DepFile, TheRuleNamesEachPrerequisiteOnceAndEscapesWhatMakeWouldSplit) {
    EXPECT_EQ(kelc::MakeRule("out/arm.cob", "arm.kel", {"inc/a.kelh", "inc/b c.kelh", "inc/a.kelh", "$x#.kelh"}),
              "out/arm.cob: \\\n  arm.kel \\\n  inc/a.kelh \\\n  inc/b\\ c.kelh \\\n  $$x\\#.kelh\n");
}

}  // namespace
