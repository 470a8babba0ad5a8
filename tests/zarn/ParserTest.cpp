#include "tests/support/AssembleText.h"
#include "zarn/Messages.h"
#include "zarn/TokenKinds.h"

#include <gtest/gtest.h>

namespace {

// The codes of the errors, in order, such as "6 4 2 32".
std::string Codes(const std::string& text, const std::vector<std::string>& flags = {}) {
    AssembledText result = AssembleText(text, flags);
    std::string codes;
    for (const zarn::ErrorEntry& error : result.state.errors)
        codes += (codes.empty() ? "" : " ") + std::to_string(error.code);
    return codes;
}

std::string FirstLine(const std::string& lines) { return lines.substr(0, lines.find('\n') + 1); }

const std::string kProcHead = "proc p args none; var none; beginproc\n";

TEST(Parser, DeclarationErrorsCascadeThroughTheirEnclosingItems) {
    EXPECT_EQ(Codes("piece a, none;"), "6 4 2 32");
    EXPECT_EQ(Codes("static-var x, x;"), "36 7 4 1 32");
    EXPECT_EQ(FirstLine(ErrorsOf("static-var x, x;")), "Error on line 1: 0x24 (Duplicate identifier found: x)\n");
    EXPECT_EQ(Codes("piece 1;"), "7 4 2 32");
    EXPECT_EQ(Codes("piece a b;"), "5 4 2 32");
}

TEST(Parser, DeclarationsAloneAreAValidFile) {
    EXPECT_EQ(Codes("piece none;"), "");
    EXPECT_EQ(Codes("piece base;"), "");
    EXPECT_EQ(Codes("static-var a; piece b;"), "");
    EXPECT_EQ(Codes(""), "");
}

TEST(Parser, ItemsComeInAnyOrder) {
    AssembledText result = AssembleText("piece a; static-var s;\n" + kProcHead + "ret;\nendproc;\npiece b;\n");
    EXPECT_EQ(result.console.find("errors found!"), std::string::npos) << result.console;
    EXPECT_EQ(result.state.symbols[zarn::kPieces].Count(), 2);
    EXPECT_EQ(result.state.procedureCount, 1);
}

TEST(Parser, TopLevelTextThatStartsNoItemIsReported) {
    EXPECT_EQ(ErrorsOf("piece a;\nbogus;\n"), "Error on line 2: 0x20 (Error At Top Level)\n");
    EXPECT_EQ(Codes("bogus;"), "32");
}

TEST(Parser, HeaderErrors) {
    EXPECT_EQ(Codes("proc 1 args none; var none; beginproc ret; endproc;"), "8 14 3 32");
    EXPECT_EQ(Codes("proc p var none; beginproc ret; endproc;"), "9 14 3 32");
    EXPECT_EQ(Codes("proc p args none; beginproc ret; endproc;"), "11 14 3 32");
    EXPECT_EQ(Codes("proc p args a, none; var none; beginproc ret; endproc;"), "6 10 14 3 32");
    EXPECT_EQ(Codes("proc p args none; var none; ret; endproc;"), "13 14 3 32");
    EXPECT_EQ(Codes("proc p args none; var none; beginproc; ret; endproc;"), "18 14 3 32");
}

TEST(Parser, BodyErrors) {
    EXPECT_EQ(Codes(kProcHead + "endproc;"), "15 32");
    EXPECT_EQ(Codes(kProcHead + "ret;\npushc nowhere;\nendproc;"), "33 5 20 17 16 32");
    EXPECT_EQ(FirstLine(ErrorsOf(kProcHead + "ret;\nfoo;\nendproc;")), "Error on line 3: 0x14 (Unrecognized term, foo)\n");
    EXPECT_EQ(Codes(kProcHead + "ret;\nendproc"), "19 16 32");
    EXPECT_EQ(Codes("piece a;\n" + kProcHead + "ret 5 ;\nendproc;"), "5 20 15");
}

TEST(Parser, AFileEndingInsideAProcedureReportsTheMissingEnd) {
    EXPECT_EQ(ErrorsOf("piece a;\n" + kProcHead + "ret;\nnop;"),
              "Error on line 4: 0x11 (Expected \"endproc;\")\nError on line 4: 0x10 (Expected proc end)\n");
    EXPECT_EQ(Codes(kProcHead + "ret;"), "17 16 32");
    EXPECT_EQ(Codes(kProcHead), "15 32");
}

TEST(Parser, ConversionLetterErrors) {
    EXPECT_EQ(Codes(kProcHead + "pushc 5hh;\nendproc;"), "22 15 3");
    EXPECT_EQ(Codes(kProcHead + "pushc 5nl;\nendproc;"), "23 15 3");
}

TEST(Parser, AHardErrorInTheLastProcedureBlamesNoItemAfterIt) {
    EXPECT_EQ(ErrorsOf("proc p args none;\nvar none;\nbeginproc\npushc 5hh;\nendproc;\n"),
              "Error on line 4: 0x16 (Can't convert twice)\nError on line 4: 0x0F (Expected proc body)\n"
              "Error on line 1: 0x03 (Expected proc declaration)\n");
    // Before the end of the file the next round still reports what it expected.
    EXPECT_EQ(Codes(kProcHead + "pushc 5hh;\nendproc;\npiece a;"), "22 15 16 3 1 32");
}

TEST(Parser, OperandsFindTheFirstListHoldingTheName) {
    // Pieces are searched before static variables, procedures, locals and labels.
    AssembledText result = AssembleText("static-var x, y; piece q, x;\n" + kProcHead + "ddw x;\nddw y;\nendproc;");
    ASSERT_TRUE(result.ok) << result.console;
    EXPECT_EQ(result.state.code, (std::vector<std::int32_t>{1, 1}));
}

TEST(Parser, VariableInstructionsFindTheirOwnKindOfVariableFirst) {
    // Local slot 1 and static 1 would be taken for the piece "x" and the procedure "y".
    std::string text = "static-var y, x; piece q, x;\n"
                       "proc y args none; var x; beginproc pushl x; popl x; pushs x; pops x; pushs y; endproc;\n";
    EXPECT_EQ(CodeOf(text), (std::vector<std::int32_t>{0x10022000, 0x10021002, 0, 0x10023002, 0, 0x10021004, 1,
                                                        0x10023004, 1, 0x10021004, 0}));
}

TEST(Parser, LocalsBelongToTheirProcedure) {
    std::string text =
        "proc a args v; var w; beginproc pushl w; endproc;\n"
        "proc b args w; var none; beginproc pushl w; endproc;\n";
    EXPECT_EQ(CodeOf(text), (std::vector<std::int32_t>{0x10022000, 0x10022000, 0x10021002, 1, 0x10022000,
                                                        0x10021002, 0}));
    EXPECT_EQ(Codes("proc a args v; var w; beginproc ret; endproc;\n"
                    "proc b args none; var none; beginproc pushl v; endproc;\n")
                  .substr(0, 2),
              "33");
}

TEST(Parser, UndefinedAndDuplicateLabels) {
    EXPECT_EQ(ErrorsOf(kProcHead + "jmp far;\njz far;\njmp gone;\nendproc;"),
              "Error on line 2: 0x21 (Undefined term, far)\nError on line 4: 0x21 (Undefined term, gone)\n");
    EXPECT_EQ(ErrorsOf(kProcHead + "here:\nnop;\nhere:\njmp here;\nendproc;"),
              "Error on line 4: 0x24 (Duplicate identifier found: here)\n");
}

TEST(Parser, LinkOperandErrors) {
    EXPECT_EQ(FirstLine(ErrorsOf(kProcHead + "invoke a->b->c;\nendproc;")),
              "Error on line 2: 0x1F (Invalid DLL Link Symbol, a->b->c)\n");
    EXPECT_EQ(FirstLine(ErrorsOf(kProcHead + "pushstring hi;\nendproc;")),
              "Error on line 2: 0x22 (Invalid String hi)\n");
}

TEST(Parser, WarningsAsErrors) {
    std::string text = kProcHead + "string \"hi\";\nstring \"hi\";\nendproc;";
    AssembledText warned = AssembleText(text);
    EXPECT_TRUE(warned.ok);
    EXPECT_NE(warned.console.find("1 warnings found!\nWarning on line 3: 0x01 (Adding duplicate string to file)"),
              std::string::npos)
        << warned.console;
    EXPECT_EQ(Codes(text, {"-e"}), "35");
}

TEST(Parser, LongNamesAreKeptWhole) {
    std::string name(100000, 'n');
    EXPECT_NE(ErrorsOf("piece " + name + ", " + name + ";").find(": " + name + ")"), std::string::npos);
}

}  // namespace
