#include "tests/support/AssembleText.h"
#include "tests/support/CobWords.h"
#include "zarn/CobFormat.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::int32_t>;

std::string Proc(const std::string& name, const std::string& body) {
    return "proc " + name + " args none; var none; beginproc\n" + body + "endproc;\n";
}

TEST(CodeGeneration, TheLanguageExample) {
    std::string text =
        "piece base, turret;\nstatic-var busy;\nproc Create\nargs none;\nvar heading;\nbeginproc\n"
        "pushc 90n;\npopl heading;\nloop_1:\nturn;\nddw turret;\nddw y-axis;\njmp loop_1;\nendproc;\n";
    EXPECT_EQ(CodeOf(text), (Words{0x10022000, 0x10021001, 16384, 0x10023002, 0, 0x10002000, 1, 1, 0x10064000, 5}));
}

TEST(CodeGeneration, NumberOperands) {
    EXPECT_EQ(CodeOf(Proc("p", "ddw -90n;\nddw 2l;\nddw 0.5l;\nddw 1.9;\nddw 0Ah;\nddw 1.5n;\nddw 1.2.3;\n")),
              (Words{-16384, 327680, 81920, 1, 10, 273, 0}));
}

TEST(CodeGeneration, NopEmitsAZeroWordAndEmptyNothing) {
    EXPECT_EQ(CodeOf(Proc("p", "empty;\nnop;\nempty;\n")), (Words{0}));
}

TEST(CodeGeneration, LabelsArePositionsFromTheFirstWordOfTheFile) {
    std::string text = Proc("a", "jmp later;\nret;\n") + Proc("b", "nop;\nlater:\nret;\njmp later;\n");
    AssembledText result = AssembleText(text, {"-o0"});
    ASSERT_TRUE(result.ok) << result.console;
    EXPECT_EQ(result.state.code, (Words{0x10064000, 4, 0x10065000, 0, 0x10065000, 0x10064000, 4}));
    EXPECT_EQ(result.state.procedureLengths, (Words{3, 4}));
}

TEST(CodeGeneration, AnIdentifierOperandNamingALabelGivesItsIndex) {
    EXPECT_EQ(CodeOf(Proc("p", "a:\nb:\npushc b;\n")), (Words{0x10021001, 1}));
}

TEST(CobFile, LayoutOfOneProcedureAndOnePiece) {
    AssembledText result = AssembleText("piece base;\n" + Proc("Go", "nop;\nnop;\nnop;\nnop;\nnop;\n"), {"-o0"});
    ASSERT_TRUE(result.ok);
    const std::string& cob = result.cob;
    auto field = [&](std::int32_t zarn::CobHeader::*member) { return WordAt(cob, zarn::FieldOffset(member)); };
    EXPECT_EQ(field(&zarn::CobHeader::version), 7);
    EXPECT_EQ(field(&zarn::CobHeader::scriptIndexOffset), 64);
    EXPECT_EQ(field(&zarn::CobHeader::scriptNameOffsetsOffset), 68);
    EXPECT_EQ(field(&zarn::CobHeader::pieceNameOffsetsOffset), 72);
    EXPECT_EQ(field(&zarn::CobHeader::codeOffset), 44);
    EXPECT_EQ(field(&zarn::CobHeader::namesOffset), 76);
    EXPECT_EQ(WordAt(cob, 64), 0);   // script code index
    EXPECT_EQ(WordAt(cob, 68), 76);  // script name offset
    EXPECT_EQ(WordAt(cob, 72), 79);  // piece name offset
    EXPECT_EQ(cob.substr(76), std::string("Go\0base\0", 8));
}

TEST(CobFile, NothingButTheHeaderForAnEmptyFile) {
    AssembledText result = AssembleText("static-var a, b;\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.cob.size(), 44u);
    EXPECT_EQ(WordAt(result.cob, 16), 2);
    EXPECT_EQ(WordAt(result.cob, 40), WordAt(result.cob, 24));
}

TEST(LinkTables, DllSymbolsAreStoredOnceAndAddressedFromTheCode) {
    AssembledText result = AssembleText(Proc("p", "invoke a.b;\ninvoke c->d;\ninvoke a.b;\n"), {"-o0"});
    ASSERT_TRUE(result.ok) << result.console;
    EXPECT_EQ(result.state.dllTable, std::string("a.b\0c->d\0", 9));
    const std::int32_t codeBytes = 6 * 4;
    EXPECT_EQ(result.state.code, (Words{0x10021001, codeBytes + 0, 0x10021001, codeBytes + 4, 0x10021001, codeBytes}));
    EXPECT_EQ(WordAt(result.cob, 24), 44 + codeBytes + 9 + 3);  // the table is padded to 12 bytes
}

TEST(LinkTables, StringsFollowThePaddedDllTable) {
    AssembledText result =
        AssembleText(Proc("p", "invoke x;\nstring \"hi\";\npushstring \"hi\";\npushstring \"yo\";\n"), {"-o0"});
    ASSERT_TRUE(result.ok) << result.console;
    EXPECT_EQ(result.state.stringTable, std::string("hi\0yo\0", 6));
    const std::int32_t stringsStart = 6 * 4 + 2 + 2;  // code, "x" and its NUL, padding
    EXPECT_EQ(result.state.code, (Words{0x10021001, 24, 0x10021001, stringsStart, 0x10021001, stringsStart + 3}));
}

// A string operand addresses the first copy.
TEST(LinkTables, ADuplicateStringDeclarationAddsASecondCopy) {
    AssembledText result =
        AssembleText(Proc("p", "string \"yo\";\nstring \"hi\";\ndstr \"hi\";\npushstring \"hi\";\n"), {"-o0"});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.state.stringTable, std::string("yo\0hi\0hi\0", 9));
    EXPECT_EQ(result.state.warnings.size(), 1u);
    const std::int32_t codeBytes = 2 * 4;
    EXPECT_EQ(result.state.code, (Words{0x10021001, codeBytes + 3}));
}

TEST(CodeGeneration, ManySymbolsKeepTheirIndices) {
    std::string pieces = "piece p0";
    for (int i = 1; i < 20000; ++i) pieces += ", p" + std::to_string(i);
    Words code = CodeOf(pieces + ";\n" + Proc("s", "ddw p16384;\nddw p19999;\n"));
    EXPECT_EQ(code, (Words{16384, 19999}));
}

}  // namespace
