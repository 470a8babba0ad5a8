#include "tests/support/AssembleText.h"
#include "zarn/InstructionSet.h"
#include "zarn/StrengthReduction.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::int32_t>;

constexpr std::int32_t Signed(std::uint32_t word) { return static_cast<std::int32_t>(word); }
constexpr std::int32_t kPushc = Signed(zarn::kPushcWord), kPushl = Signed(zarn::kPushlWord),
                       kPushs = Signed(zarn::kPushsWord), kMul = Signed(zarn::kMulWord),
                       kDiv = Signed(zarn::kDivWord), kShl = Signed(zarn::kShlWord);
constexpr std::int32_t kJmp = 0x10064000, kTurn = 0x10002000;

const std::string kDeclarations = "piece base;\nstatic-var s;\n";

std::string Proc(const std::string& name, const std::string& body) {
    return "proc " + name + " args v; var none; beginproc\n" + body + "endproc;\n";
}

// The code of a file after strength reduction alone, with the number of changes. Constant
// folding is left out so that constant patterns reach this pass.
struct Reduced {
    Words code;
    int changed = 0;
};
Reduced Reduce(const std::string& text) {
    AssembledText result = AssembleText(text, {"-o0"});
    EXPECT_TRUE(result.ok) << result.console;
    Reduced reduced;
    reduced.changed = zarn::ReduceStrength(result.state);
    reduced.code = result.state.code;
    return reduced;
}

// The body of procedure "p" (argument v) after reduction, without the argument's word.
Words ReducedBody(const std::string& body) {
    Words code = Reduce(kDeclarations + Proc("p", body)).code;
    return Words(code.begin() + 1, code.end());
}

TEST(StrengthReduction, MultiplicationsByAPushedPowerOfTwoBecomeShifts) {
    EXPECT_EQ(ReducedBody("pushl v;\npushc 8;\nmul;\n"), (Words{kPushl, 0, kPushc, 3, kShl}));
    EXPECT_EQ(ReducedBody("pushc 4;\npushl v;\nmul;\n"), (Words{kPushl, 0, kPushc, 2, kShl}));
    EXPECT_EQ(ReducedBody("pushc 2;\npushs s;\nmul;\n"), (Words{kPushs, 0, kPushc, 1, kShl}));
    EXPECT_EQ(ReducedBody("pushc 1024;\npushc 6;\nmul;\n"), (Words{kPushc, 6, kPushc, 10, kShl}));
    EXPECT_EQ(ReducedBody("pushc;\nddw 16;\nmul;\n"), (Words{kPushc, 4, kShl}));
}

TEST(StrengthReduction, OtherFactorsAndEveryDivisionStay) {
    for (const char* body : {
             "pushl v;\npushc 6;\nmul;\n",
             "pushl v;\npushc 1;\nmul;\n",
             "pushl v;\npushc -8;\nmul;\n",
             "pushl v;\npushc -2147483648;\nmul;\n",
             "pushl v;\npushc 8;\ndiv;\n",  // sar would round -1 / 8 to -1
             "pushc 6;\npushl v;\nmul;\n",
             "pushl v;\npushl v;\nmul;\n",
         }) {
        Reduced reduced = Reduce(kDeclarations + Proc("p", body));
        EXPECT_EQ(reduced.changed, 0) << body;
    }
    EXPECT_EQ(ReducedBody("pushl v;\npushc 8;\ndiv;\n"), (Words{kPushl, 0, kPushc, 8, kDiv}));
}

TEST(StrengthReduction, NothingChangesAcrossAJumpTarget) {
    for (const char* body : {
             "jmp in;\npushl v;\npushc 8;\nin:\nmul;\n",
             "jmp in;\npushc 4;\nin:\npushl v;\nmul;\n",
             "jmp in;\npushc 4;\nin:\npushc 6;\nmul;\n",
         }) {
        Reduced reduced = Reduce(kDeclarations + Proc("p", body));
        EXPECT_EQ(reduced.changed, 0) << body;
    }
    // A target at the first instruction of the pattern is entered the same way before and after.
    EXPECT_EQ(ReducedBody("in:\npushc 4;\npushl v;\nmul;\njmp in;\n"), (Words{kPushl, 0, kPushc, 2, kShl, kJmp, 1}));
}

TEST(StrengthReduction, NothingChangesAcrossTheStartOfAProcedure) {
    // "b" declares nothing, so its first word follows "a"'s last one.
    Reduced reduced = Reduce(kDeclarations + Proc("a", "pushc 4;\n") +
                             "proc b args none; var none; beginproc\npushs s;\nmul;\nendproc;\n");
    EXPECT_EQ(reduced.code, (Words{0x10022000, kPushc, 4, kPushs, 0, kMul}));
    EXPECT_EQ(reduced.changed, 0);
}

TEST(StrengthReduction, DataWordsThatLookLikeInstructionsAreLeftAlone) {
    // turn's immediate words are the pushc word and 8; the mul after them is real.
    std::string body = "pushl v;\nturn;\nddw 268570625;\nddw 8;\nmul;\n";
    EXPECT_EQ(ReducedBody(body), (Words{kPushl, 0, kTurn, kPushc, 8, kMul}));
    // An operand equal to the mul word is a number, not an instruction.
    EXPECT_EQ(ReducedBody("pushc 4;\npushc 268644352;\n"), (Words{kPushc, 4, kPushc, kMul}));
    // A pushc whose operand word is missing is no pushc of a constant.
    EXPECT_EQ(ReducedBody("pushc;\nnop;\nmul;\n"), (Words{kPushc, 0, kMul}));
}

TEST(StrengthReduction, ReportsTheCountsForSpeedOnly) {
    std::string text = kDeclarations + Proc("p", "pushl v;\npushc 8;\nmul;\npushl v;\npushc 8;\ndiv;\n");
    AssembledText speed = AssembleText(text, {"-t2"});
    const std::string report =
        "Optimizing (2nd Pass - Post Code Generation) - Level = 3, Type = 2 . . .\n"
        "\tOptimization for speed results:\n"
        "\t\tChanged 0 div instructions to sar\n"
        "\t\tChanged 1 mul instructions to shl\n";
    ASSERT_GE(speed.console.size(), report.size());
    EXPECT_EQ(speed.console.substr(speed.console.size() - report.size()), report)
        << speed.console;
    AssembledText size = AssembleText(text, {"-t1"});
    EXPECT_EQ(size.state.code, CodeOf(text, {"-o0"}));
    EXPECT_NE(size.console.find("\tOptimization for size results:\n\t\tNo size optimizations available\n"),
              std::string::npos);
    EXPECT_EQ(size.console.find("Optimization for speed"), std::string::npos);
}

}  // namespace
