// cobdump -S must give text that zarn assembles back into the very same bytes.
#include "tests/cobdump/DumpRun.h"
#include "tests/cobdump/RandomProgram.h"
#include "tests/support/AssembleText.h"
#include "tests/support/GoldenFile.h"

#include <gtest/gtest.h>

namespace {

// Disassembles the COB image of `text` and assembles the result again.
void ExpectRoundTrip(const std::string& text) {
    AssembledText original = AssembleText(text, {"-o0"});
    if (!original.ok) return;  // texts with errors have no COB file to start from
    std::string assembly = AssemblyOf(original.cob);
    AssembledText again = AssembleText(assembly, {"-o0"});
    ASSERT_TRUE(again.ok) << again.console << "---- text ----\n" << text << "---- disassembly ----\n" << assembly;
    EXPECT_EQ(again.cob, original.cob) << "---- text ----\n" << text << "---- disassembly ----\n" << assembly;
}

std::string Proc(const std::string& name, const std::string& vars, const std::string& body) {
    return "proc " + name + " args none; var " + vars + "; beginproc\n" + body + "endproc;\n";
}

TEST(RoundTrip, EveryGoldenAssemblerTest) {
    for (const std::string& path : golden::ListCases(KEL_SOURCE_DIR "/tests/golden/zarn", ".test")) {
        SCOPED_TRACE(path);
        ExpectRoundTrip(golden::Load(path).input);
    }
}

TEST(RoundTrip, RandomPrograms) {
    int assembled = 0;
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::string text = RandomProgram(seed);
        assembled += AssembleText(text, {"-o0"}).ok ? 1 : 0;
        ExpectRoundTrip(text);
        if (HasFatalFailure() || HasNonfatalFailure()) break;
    }
    EXPECT_EQ(assembled, 400);  // the generator writes only valid programs
}

TEST(RoundTrip, JumpsIntoInstructionsAndToScriptBoundaries) {
    // A jump into the operand of a pushc, to the first word of a script with locals, to the
    // first word of the file and to the end of the code.
    ExpectRoundTrip(Proc("A", "none", "top:\n  clv;\n  pushc;\nmid:\n  ddw 5;\n  jmp mid;\n  jmp top;\n  jne next;\n  jmp end;\nnext:\n") +
                    Proc("B", "x, y", "  pushl y;\n  popl x;\nend:\n"));
    // With locals declared, the words of the "var" list are clv words the listing shows.
    std::string text = AssemblyOf(CobOf(Proc("A", "a, b", "  pushl b;\n  popl a;\n")));
    EXPECT_NE(text.find("proc A args none; var local0, local1;\nbeginproc\n  pushl local1;\n  popl local0;\n"),
              std::string::npos)
        << text;
}

TEST(RoundTrip, NamesThatWouldMeanSomethingElseBecomeNumbers) {
    // "x-axis" as a piece is the axis to the assembler; the piece "local0" hides the local of
    // that name; the script "base" is found among the pieces first.
    std::string text = "piece arm, x-axis, local0, base;\nstatic-var s;\n" +
                       Proc("base", "v", "  hide;\n  ddw 1;\n  hide;\n  ddw 2;\n  pushl v;\n  call;\n  ddw 0;\n  ddw 0;\n");
    ExpectRoundTrip(text);
    std::string assembly = AssemblyOf(CobOf(text));
    EXPECT_NE(assembly.find("  hide;\n  ddw 1;\n  hide;\n  ddw local0;\n  pushl 0;\n  call;\n  ddw 0;\n"), std::string::npos)
        << assembly;
}

TEST(RoundTrip, LinkTablesComeOutByteForByte) {
    ExpectRoundTrip(Proc("T", "none",
                         "  string \"hi\";\n  string \"hi\";\n  invoke a.b;\n  pushstring \"hi\";\n  invoke c->d;\n"
                         "  invoke a.b;\n  pushstring \"\";\n  pushstring \"q\"q\";\n"));
    // Only strings, some never pushed; a DLL table of exactly 8 bytes has no padding.
    ExpectRoundTrip(Proc("T", "none", "  dstr \"x\";\n  pushstring \"hello\";\n"));
    ExpectRoundTrip(Proc("T", "none", "  invoke abc.def;\n  pushstring \"s\";\n"));
}

TEST(RoundTrip, DeclarationsWithoutCode) {
    ExpectRoundTrip("piece a, b;\nstatic-var s, t;\n");
    ExpectRoundTrip(Proc("Empty", "none", "  empty;\n") + Proc("AlsoEmpty", "none", "  empty;\n"));
}

TEST(RoundTrip, FilesThatNoTextCanReproduceAreRefused) {
    const std::string good = CobOf("piece arm;\n" + Proc("Go", "none", "  string \"ab\";\n  ret;\n"));
    std::string spaced = good;
    spaced.replace(spaced.size() - 3, 1, " ");  // "arm" -> "a m"
    EXPECT_EQ(AssemblyOf(spaced), "refused: the piece name \"a m\" is no identifier the assembler accepts");
    DumpRun run = RunOnBytes(spaced, {"-S"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.errors, "cobdump: -S cannot round-trip unit.cob: the piece name \"a m\" is no identifier the "
                          "assembler accepts\n");

    std::string slashed = good;
    slashed.replace(slashed.find("ab"), 1, "/");
    EXPECT_EQ(AssemblyOf(slashed), "refused: the string \"/b\" holds a blank, a separator or a slash");

    std::string twice = CobOf(Proc("Go", "none", "  ret;\n") + Proc("Gx", "none", "  ret;\n"));
    twice.replace(twice.size() - 2, 1, "o");
    EXPECT_EQ(AssemblyOf(twice), "refused: the script name \"Go\" appears twice");
}

TEST(RoundTrip, TheDriverWritesTheTextAlone) {
    std::string cob = CobOf("piece arm;\n" + Proc("Go", "none", "  hide;\n  ddw arm;\n"));
    DumpRun run = RunOnBytes(cob, {"-S"});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.out, "piece arm;\nproc Go args none; var none;\nbeginproc\n  hide;\n  ddw arm;\nendproc;\n");
    EXPECT_EQ(run.errors, "");
}

}  // namespace
