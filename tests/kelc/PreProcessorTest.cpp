#include "kelc/PreProcessor.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using kelc::EPreProcessorError;
using kelc::TLineInfoResults;
using kelc::TPreProcessor;

using Files = std::map<std::string, std::string>;

struct Outcome {
    std::string output;
    std::string error;  // empty when the run succeeded
};

// Runs a preprocessor over `main` (named main.kel) with the given include files.
class Fixture {
public:
    explicit Fixture(std::map<std::string, std::string> files = {}) : files_(std::move(files)) {
        pre.MainFileName = "main.kel";
        pre.OnIncludeFile = [this](TPreProcessor&, const std::string& includer, std::string& text, std::string& name) {
            includers.push_back(includer);
            auto it = files_.find(name);
            if (it == files_.end()) return false;
            text = it->second;
            return true;
        };
    }

    Outcome Process(const std::string& main) {
        pre.MainText = main;
        Outcome run;
        try {
            pre.Preprocess("main.kel", run.output);
        } catch (const EPreProcessorError& e) {
            run.error = e.what();
        }
        return run;
    }

    // File, line and column of an output offset, as "file:line:column".
    std::string Where(std::int32_t offset) const {
        TLineInfoResults r;
        if (!pre.LineInfos.Lookup(offset, r)) return "not found";
        return r.fileName + ":" + std::to_string(r.line) + ":" + std::to_string(r.column);
    }

    TPreProcessor pre;
    std::vector<std::string> includers;

private:
    std::map<std::string, std::string> files_;
};

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

TEST(PreProcessor, TextWithoutDirectivesIsUnchanged) {
    Fixture f;
    const std::string text = "piece base, turret;\r\n\"a # b\" /* # */ // #x\r\nx-1 $FF\r\n";
    Outcome run = f.Process(text);
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.output, text);
}

TEST(PreProcessor, DefinedNamesAreReplacedAsWholePreprocessorIdentifiers) {
    Fixture f;
    Outcome run = f.Process("#define X 5\nX X1 X-1 -X X - 1 $X \"X\" /* X */ // X\n");
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.output, Blanks(11) + "\n5 X1 X-1 -X 5 - 1 $5 \"X\" /* X */ // X\n");
}

TEST(PreProcessor, DefineValuesAreTrimmedAndNotSearchedAgain) {
    Fixture f;
    Outcome run = f.Process("#define A \t B  \n#define B 7\n#define E\nA B [E]\n");
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.output.substr(run.output.rfind('\n', run.output.size() - 2) + 1), "B 7 []\n");
    EXPECT_EQ(f.pre.Defines().Find("A")->value, "B");
    EXPECT_EQ(f.pre.Defines().Find("E")->value, "");
}

TEST(PreProcessor, RedefiningReplacesTheValueAndUndefRemovesIt) {
    Fixture f;
    Outcome run = f.Process("#define X 1\nX\n#define X 2\nX\n#undef X\nX\n#undef Y\n");
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.output, Blanks(11) + "\n1\n" + Blanks(11) + "\n2\n" + Blanks(8) + "\nX\n" + Blanks(8) + "\n");
}

TEST(PreProcessor, IfdefLooksUpTheNameInUpperCase) {
    Fixture f;
    Outcome run = f.Process("#define foo 1\n#define BAR 1\n#ifdef foo\na\n#endif\n#ifdef bar\nb\n#endif\n");
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.output.find('a'), std::string::npos);
    EXPECT_NE(run.output.find('b'), std::string::npos);
}

TEST(PreProcessor, InactiveSectionsBecomeBlanksWithoutLineEnds) {
    Fixture f;
    Outcome run = f.Process("a\n#ifdef NONE\nb\r\nc\n#endif\nd\n");
    EXPECT_EQ(run.error, "");
    // The ifdef line's own line end is blanked, the endif's is written again.
    EXPECT_EQ(run.output, "a\n" + Blanks(12) + " " + Blanks(3) + " " + Blanks(6) + "\nd\n");
    EXPECT_EQ(run.output.size(), std::string("a\n#ifdef NONE\nb\r\nc\n#endif\nd\n").size());
    EXPECT_EQ(f.Where(static_cast<std::int32_t>(run.output.find('d'))), "main.kel:6:1");
}

TEST(PreProcessor, IfndefAndElse) {
    Fixture f;
    Outcome run = f.Process("#ifndef X\na\n#else\nb\n#endif\n#define X\n#ifndef X\nc\n#else\nd\n#endif\n");
    EXPECT_EQ(run.error, "");
    for (char c : std::string("ad")) EXPECT_NE(run.output.find(c), std::string::npos) << c;
    for (char c : std::string("bc")) EXPECT_EQ(run.output.find(c), std::string::npos) << c;
}

TEST(PreProcessor, OnlyTheInnermostSectionCounts) {
    Fixture f;
    Outcome run = f.Process("#define X\n#ifdef NONE\n#ifdef X\ninner\n#endif\nouter\n#endif\n");
    EXPECT_EQ(run.error, "");
    EXPECT_NE(run.output.find("inner"), std::string::npos);
    EXPECT_EQ(run.output.find("outer"), std::string::npos);
}

TEST(PreProcessor, DefinesInInactiveSectionsTakeEffectIncludesDoNot) {
    Fixture f(Files{{"inc.kh", "included\n"}});
    Outcome run = f.Process("#ifdef NONE\n#define X 9\n#include \"inc.kh\"\n#endif\nX\n");
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.output.find("included"), std::string::npos);
    EXPECT_EQ(run.output.back(), '\n');
    EXPECT_EQ(run.output.substr(run.output.size() - 2), "9\n");
    EXPECT_TRUE(f.includers.empty());
}

TEST(PreProcessor, ConditionalErrors) {
    EXPECT_EQ(Fixture().Process("#endif\n").error, "\"main.kel\"(1:1) : No #ifdef for #endif");
    EXPECT_EQ(Fixture().Process("x\n  #else\n").error, "\"main.kel\"(2:3) : No #ifdef for #else");
    EXPECT_EQ(Fixture().Process("#ifdef A\n#else\n#else\n#endif\n").error, "\"main.kel\"(3:1) : Can't use #else twice");
    Fixture f;
    Outcome run = f.Process("#ifdef A\nabc\n");
    EXPECT_EQ(run.error, "Define not closed");
    EXPECT_EQ(run.output.size(), 13u);  // the whole text was produced first
}

TEST(PreProcessor, OtherDirectivesGoToTheOwner) {
    Fixture f;
    std::vector<std::string> seen;
    f.pre.OnOtherDirective = [&](TPreProcessor& pre, const std::string& name, const std::string& argument) {
        seen.push_back(name + "|" + argument);
        if (name != "if") return false;
        pre.States.Push().sectionActive = argument != "0";
        return true;
    };
    Outcome run = f.Process("#if 0\na\n#endif\n#if  1 \nb\n#endif\n");
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(seen, (std::vector<std::string>{"if|0", "if|1"}));
    EXPECT_EQ(run.output.find('a'), std::string::npos);
    EXPECT_NE(run.output.find('b'), std::string::npos);

    EXPECT_EQ(f.Process("\n#Include \"x\"\n").error, "\"main.kel\"(2:1) : Unknown compiler directives : Include");
    EXPECT_EQ(f.Process("# include \"x\"\n").error, "\"main.kel\"(1:1) : Unknown compiler directives : ");
    EXPECT_EQ(f.Process("#pragma\tonce\n").error, "\"main.kel\"(1:1) : Unknown compiler directives : pragma");
}

TEST(PreProcessor, WithoutAnOwnerHookEveryOtherDirectiveCountsAsHandled) {
    Fixture f;
    Outcome run = f.Process("#whatever it is\nx\n");
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.output, Blanks(15) + "\nx\n");
}

TEST(PreProcessor, HashInStringsAndCommentsIsNoDirective) {
    Fixture f;
    f.pre.OnOtherDirective = [](TPreProcessor&, const std::string&, const std::string&) { return false; };
    Outcome run = f.Process("\"#x\" /* #y\n */ // #z\n");
    EXPECT_EQ(run.error, "");
}

TEST(PreProcessor, IncludedTextStandsWhereTheDirectiveStood) {
    Fixture f(Files{{"inc.kh", "i1\r\ni2\r\n"}});
    const std::string main = "m1\r\n#include \"inc.kh\"\r\nm3\r\n";
    Outcome run = f.Process(main);
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.output, "m1\r\ni1\r\ni2\r\n" + Blanks(17) + "\r\nm3\r\n");
    EXPECT_EQ(f.includers, std::vector<std::string>{"main.kel"});
    EXPECT_EQ(f.Where(0), "main.kel:1:1");
    EXPECT_EQ(f.Where(4), "inc.kh:1:1");
    EXPECT_EQ(f.Where(9), "inc.kh:2:2");
    EXPECT_EQ(f.Where(static_cast<std::int32_t>(run.output.find("m3"))), "main.kel:3:1");
    EXPECT_EQ(f.Where(static_cast<std::int32_t>(run.output.find("m3")) + 1), "main.kel:3:2");
    EXPECT_EQ(f.Where(static_cast<std::int32_t>(run.output.size()) - 1), "main.kel:3:4");
    EXPECT_EQ(f.Where(static_cast<std::int32_t>(run.output.size())), "not found");
    ASSERT_EQ(f.pre.LineInfos.Count(), 2u);
    EXPECT_EQ(f.pre.LineInfos.Items(1).startPos, 4);
    EXPECT_EQ(f.pre.LineInfos.Items(1).endPos, 12);
}

TEST(PreProcessor, ColumnsAreOutputColumnsAfterReplacement) {
    Fixture f;
    Outcome run = f.Process("#define LONG 12345678\nLONG x\nLONG\ny\n");
    EXPECT_EQ(run.error, "");
    std::int32_t x = static_cast<std::int32_t>(run.output.find('x'));
    EXPECT_EQ(f.Where(x), "main.kel:2:10");
    EXPECT_EQ(f.Where(static_cast<std::int32_t>(run.output.find('y'))), "main.kel:4:1");
}

TEST(PreProcessor, IncludeNamesLoseOnePairOfQuotesOnly) {
    Fixture f(Files{{"plain.kh", "p\n"}, {"\"half.kh", "h\n"}, {"<angle.kh>", "a\n"}});
    EXPECT_EQ(f.Process("#include plain.kh\n").error, "");
    EXPECT_EQ(f.Process("#include \"half.kh\n").error, "");
    EXPECT_EQ(f.Process("#include <angle.kh>\n").error, "");
    EXPECT_EQ(f.Process("#include \"none.kh\"\n").error, "\"main.kel\"(1:1) : Unable to find file 'none.kh'");
}

TEST(PreProcessor, ErrorsInIncludedFilesCarryOnePrefixPerLevel) {
    Fixture f(Files{{"a.kh", "\n  #include \"b.kh\"\n"}, {"b.kh", "x\n#endif\n"}});
    Outcome run = f.Process("m\n #include \"a.kh\"\n");
    EXPECT_EQ(run.error, "\"main.kel\"(2:2) : \"a.kh\"(2:3) : \"b.kh\"(2:1) : No #ifdef for #endif");
    EXPECT_EQ(run.output, "m\n \n  x\n");  // what was produced up to the error
    EXPECT_EQ(f.pre.LineInfos.Items(2).endPos, static_cast<std::int32_t>(run.output.size()) + 1);
}

TEST(PreProcessor, TheMainFileNameGivesTheMainText) {
    Fixture f;
    f.pre.MaxIncludeDepth = 3;
    Outcome run = f.Process("#include main.kel\n");
    EXPECT_EQ(run.error,
              "\"main.kel\"(1:1) : \"main.kel\"(1:1) : \"main.kel\"(1:1) : \"main.kel\"(1:1) : "
              "Too many nested include files while processing main.kel from main.kel");
}

TEST(PreProcessor, TwentyNestedIncludesWorkTheTwentyFirstFails) {
    // main.kel includes f1 (level 1), which includes f2 (level 2), ...
    Files files;
    for (int i = 1; i <= 20; ++i) files["f" + std::to_string(i)] = "#include f" + std::to_string(i + 1) + "\n";
    files["f20"] = "done\n";
    Fixture ok(files);
    Outcome run = ok.Process("#include f1\n");
    EXPECT_EQ(run.error, "");
    EXPECT_NE(run.output.find("done"), std::string::npos);
    files["f20"] = "#include f21\n";
    files["f21"] = "too deep\n";
    Fixture deep(files);
    run = deep.Process("#include f1\n");
    EXPECT_NE(run.error.find(": \"f20\"(1:1) : Too many nested include files while processing f21 from f20"), std::string::npos);
    EXPECT_EQ(run.error.rfind("\"main.kel\"(1:1) : \"f1\"(1:1) : ", 0), 0u);
}

TEST(PreProcessor, AFileMayBeIncludedManyTimesAndDefinitionsCarryOn) {
    Fixture f(Files{{"d.kh", "#define N 4\n"}, {"u.kh", "N\n"}});
    Outcome run = f.Process("#include d.kh\n#include u.kh\n#include u.kh\nN\n");
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '4'), 3);
}

TEST(PreProcessor, HooksMayRaiseAndAreWrapped) {
    Fixture f;
    f.pre.OnOtherDirective = [](TPreProcessor&, const std::string&, const std::string&) -> bool {
        throw std::runtime_error("Undeclaired identifier, X");
    };
    EXPECT_EQ(f.Process("\n\n   #if X\n").error, "\"main.kel\"(3:4) : Undeclaired identifier, X");
}

TEST(PreProcessor, PredefinedDefinesAreCopiedIntoEveryRun) {
    Fixture f;
    f.pre.PredefinedDefines["P"] = "1";
    EXPECT_EQ(f.Process("P\n").output, "1\n");
    EXPECT_EQ(f.Process("#undef P\nP\n").output, Blanks(8) + "\nP\n");
    EXPECT_EQ(f.Process("P\n").output, "1\n");
    f.pre.PredefinedDefines["Q"] = " 2 ";  // copied as it is, not trimmed like a define directive's value
    EXPECT_EQ(f.Process("Q\n").output, " 2 \n");
}

TEST(PreProcessor, ClearEmptiesDefinesLineInfosAndMainText) {
    Fixture f;
    f.Process("#define X 1\nX\n");
    f.pre.Clear();
    EXPECT_EQ(f.pre.Defines().Count(), 0u);
    EXPECT_EQ(f.pre.LineInfos.Count(), 0u);
    EXPECT_EQ(f.pre.MainText, "");
}

}  // namespace
