#include "tests/support/AssembleText.h"
#include "zarn/ConstantFolding.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::int32_t>;

constexpr std::int32_t kPushc = 0x10021001;
constexpr std::int32_t kPushl = 0x10021002;

const std::string kHead = "piece base, turret;\nproc p args none; var v; beginproc\n";

// The code of a body after constant folding alone (type 1 runs no other rewriting), without the
// word of the local "v" that every body here declares.
Words Folded(const std::string& body) {
    Words code = CodeOf(kHead + body + "endproc;\n", {"-t1"});
    return Words(code.begin() + 1, code.end());
}

Words Unfolded(const std::string& body) {
    Words code = CodeOf(kHead + body + "endproc;\n", {"-o0"});
    return Words(code.begin() + 1, code.end());
}

// What "pushc a; pushc b; <op>;" folds to.
std::int32_t FoldOf(const std::string& a, const std::string& b, const std::string& op) {
    Words code = Folded("pushc " + a + ";\npushc " + b + ";\n" + op + ";\n");
    EXPECT_EQ(code.size(), 2u) << op;
    return code.size() == 2 ? code[1] : 0;
}

TEST(ConstantFolding, ArithmeticTruncatesTowardZeroAndWrapsAt32Bits) {
    EXPECT_EQ(FoldOf("2", "3", "mul"), 6);
    EXPECT_EQ(FoldOf("2", "3", "add"), 5);
    EXPECT_EQ(FoldOf("2", "3", "sub"), -1);
    EXPECT_EQ(FoldOf("7", "2", "div"), 3);
    EXPECT_EQ(FoldOf("-7", "2", "div"), -3);
    EXPECT_EQ(FoldOf("2147483647", "1", "add"), -2147483647 - 1);
    EXPECT_EQ(FoldOf("-2147483648", "1", "sub"), 2147483647);
    EXPECT_EQ(FoldOf("65536", "65536", "mul"), 0);
    EXPECT_EQ(FoldOf("65537", "65537", "mul"), 131073);  // low 32 bits of the exact product
}

TEST(ConstantFolding, BitwiseShiftsAndComparisons) {
    EXPECT_EQ(FoldOf("12", "10", "and"), 8);
    EXPECT_EQ(FoldOf("12", "10", "or"), 14);
    EXPECT_EQ(FoldOf("12", "10", "xor"), 6);
    EXPECT_EQ(FoldOf("1", "40", "shl"), 256);  // the count is taken mod 32
    EXPECT_EQ(FoldOf("1", "31", "shl"), -2147483647 - 1);
    EXPECT_EQ(FoldOf("-16", "2", "sar"), -4);
    EXPECT_EQ(FoldOf("-1", "3", "sar"), -1);
    EXPECT_EQ(FoldOf("1", "2", "setl"), 1);
    EXPECT_EQ(FoldOf("2", "2", "setle"), 1);
    EXPECT_EQ(FoldOf("2", "2", "setg"), 0);
    EXPECT_EQ(FoldOf("3", "2", "setge"), 1);
    EXPECT_EQ(FoldOf("3", "3", "cmp"), 1);
    EXPECT_EQ(FoldOf("3", "4", "sete"), 0);
    EXPECT_EQ(FoldOf("3", "4", "setne"), 1);
}

TEST(ConstantFolding, LogicalOperatorsAndTheUnaryFolds) {
    EXPECT_EQ(FoldOf("2", "5", "land"), 1);
    EXPECT_EQ(FoldOf("2", "0", "land"), 0);
    EXPECT_EQ(FoldOf("0", "0", "lor"), 0);
    EXPECT_EQ(FoldOf("0", "-3", "lor"), 1);
    EXPECT_EQ(FoldOf("2", "0", "lxor"), 0);  // only the value 1 counts as true here
    EXPECT_EQ(FoldOf("1", "0", "lxor"), 1);
    EXPECT_EQ(Folded("pushc 5;\nnot;\n"), (Words{kPushc, -6}));
    EXPECT_EQ(Folded("pushc 5;\nneg;\n"), (Words{kPushc, 0}));
    EXPECT_EQ(Folded("pushc 0;\nneg;\n"), (Words{kPushc, 1}));
}

TEST(ConstantFolding, OperandsCountWithTheValuesTheyEmit) {
    EXPECT_EQ(FoldOf("90n", "2", "mul"), 32768);
    EXPECT_EQ(FoldOf("2l", "1", "add"), 327681);
    EXPECT_EQ(FoldOf("0Ah", "1", "add"), 11);
    EXPECT_EQ(FoldOf("1.5", "1.5", "add"), 2);
    EXPECT_EQ(FoldOf("0.5l", "2", "div"), 40960);
    EXPECT_EQ(FoldOf("-1n", "1", "sub"), -183);
}

TEST(ConstantFolding, ChainsFoldWhenEachResultIsTheLeftOperandOfTheNext) {
    EXPECT_EQ(Folded("pushc 1;\npushc 2;\nadd;\npushc 3;\nmul;\n"), (Words{kPushc, 9}));
    EXPECT_EQ(Folded("pushc 4;\nnot;\nneg;\npushc 2;\nsetl;\n"), (Words{kPushc, 1}));
}

// The tokens a fold silences still count as positions, so a folded right operand stands too far
// from the left one.
TEST(ConstantFolding, AFoldedRightOperandEndsTheChain) {
    EXPECT_EQ(Folded("pushc 1;\npushc 2;\npushc 3;\nmul;\nadd;\n"), (Words{kPushc, 1, kPushc, 6, 0x10031000}));
}

TEST(ConstantFolding, NamesVariablesAndUnknownResultsAreNotFolded) {
    for (const char* body : {
             "pushc turret;\npushc 1;\nadd;\n",  // a piece index
             "pushc 1;\npushc base;\nmul;\n",
             "pushl v;\npushc 2;\nadd;\n",
             "pushc 2.5.1;\nnot;\n",          // no number: it emits 0 but is not a constant
             "pushc 7;\npushc 0;\ndiv;\n",     // the engine decides what this is
             "pushc -2147483648;\npushc -1;\ndiv;\n",
             "pushc 2;\npushc 3;\nrand;\n",
             "pushc;\nddw 2;\npushc 3;\nadd;\n",  // not the shape the folds look for
         })
        EXPECT_EQ(Folded(body), Unfolded(body)) << body;
}

TEST(ConstantFolding, ALabelBetweenTheInstructionsBreaksThePattern) {
    for (const char* body : {
             "pushc 2;\nhere:\npushc 3;\nadd;\njmp here;\n",
             "pushc 2;\npushc 3;\nhere:\nadd;\njmp here;\n",
             "pushc 5;\nhere:\nnot;\njmp here;\n",
         })
        EXPECT_EQ(Folded(body), Unfolded(body)) << body;
}

TEST(ConstantFolding, ALabelBeforeTheFoldPointsAtItsResult) {
    EXPECT_EQ(Folded("pushl v;\nhere:\npushc 2;\npushc 3;\nadd;\njmp here;\n"),
              (Words{kPushl, 0, kPushc, 5, 0x10064000, 3}));
}

TEST(ConstantFolding, ReportsTheBytesSaved) {
    AssembledText result = AssembleText(kHead + "pushc 1;\npushc 2;\nadd;\npushc 3;\nnot;\nendproc;\n", {"-t1"});
    EXPECT_NE(result.console.find("\tOptimiziation for size results:\n"
                                  "\t\tRemoved 16 redundant bytes of code (speed and size)\n"),
              std::string::npos)
        << result.console;
}

TEST(ConstantFolding, OneWalkLeavesNothingToFold) {
    AssembledText result = AssembleText(kHead + "pushc 1;\npushc 2;\nadd;\npushc 3;\npushc 4;\nmul;\nsub;\nendproc;\n",
                                        {"-t1"});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(zarn::FoldConstants(result.state.tokens), 0);
}

}  // namespace
