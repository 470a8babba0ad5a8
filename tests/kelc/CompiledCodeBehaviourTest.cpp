// What compiled scripts do when run, not only what text they are: each script is compiled,
// assembled and run by the stack evaluator from the start of one of its functions.
#include "tests/kelc/CompileText.h"
#include "tests/support/AssembleText.h"
#include "tests/support/StackEvaluator.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// Runs function number `function` (in order of definition) with eight zeroed locals and statics.
Machine RunScript(const std::string& script, std::size_t function = 0) {
    CompiledText compiled = CompileText(script);
    EXPECT_TRUE(compiled.success) << script << Joined(compiled.messages);
    AssembledText assembled = AssembleText(Joined(compiled.assembly), {"-o0"});
    EXPECT_TRUE(assembled.ok) << assembled.console << Joined(compiled.assembly);
    std::vector<std::size_t> starts = ProcedureStarts(assembled.state);
    Machine start;
    start.locals.assign(8, 0);
    start.statics.assign(8, 0);
    if (function >= starts.size()) return start;
    return Evaluate(assembled.state.code, starts[function], start);
}

const std::string kPieces = "piece base, turret;\nstatic-var s;\n";

TEST(MissingOperand, IsAnErrorAtTheTokenFoundInstead) {
    struct Case {
        const char* statement;
        const char* found;
    };
    const Case cases[] = {
        {"sleep;", ";"},
        {"x = ;", ";"},
        {"x = 1 + ;", ";"},
        {"x = -;", ";"},
        {"x += ;", ";"},
        {"if () { x = 1; }", ")"},
        {"while () { x = 1; }", ")"},
        {"do { x = 1; } while ();", ")"},
        {"set 1 to;", ";"},
        {"signal;", ";"},
        {"set-signal-mask;", ";"},
        {"turn turret to y-axis speed <5>;", "speed"},
        {"turn turret to y-axis <5> speed;", ";"},
        {"spin turret around y-axis speed;", ";"},
        {"move turret to x-axis now;", "now"},
        {"explode turret type;", ";"},
        {"emit-sfx from turret;", "from"},
        {"call-script G(,);", ","},
        {"call-script G(1,,2);", ","},
        {"x = rand(1, );", ")"},
        {"x = get ;", ";"},
    };
    for (const Case& c : cases) {
        CompiledText result = CompileText(kPieces + "G(a, b) { }\nF(x) {\n  " + c.statement + "\n}\n");
        EXPECT_FALSE(result.success) << c.statement;
        ASSERT_FALSE(result.messages.empty()) << c.statement;
        EXPECT_NE(result.messages[0].find(std::string("Error: \"expression\" expected but \"") + c.found + "\" found."),
                  std::string::npos)
            << c.statement << "\n"
            << Joined(result.messages);
    }
}

TEST(MissingOperand, IsReportedWhereTheOperandShouldStand) {
    CompiledText result = CompileText("F(x) {\n  x = 1 +  ;\n}\n");
    ASSERT_FALSE(result.messages.empty());
    EXPECT_EQ(result.messages[0].substr(0, 30), "[Fatal Error] \"t.kel\"(2:12) : ");
}

TEST(MissingOperand, WhatMayBeAbsentStillCompiles) {
    for (const char* statement : {"return;", "for (;;) { break; }", "call-script G();", "call-script G(1,);"}) {
        CompiledText result = CompileText("G(a) { }\nF(x) {\n  " + std::string(statement) + "\n}\n");
        EXPECT_TRUE(result.success) << statement << Joined(result.messages);
    }
}

TEST(FinalReturn, FollowsABodyEndingInAPieceWithTheLettersRet) {
    Machine m = RunScript(kPieces + "Conceal() { hide turret; }\nNext() { s = 9; }\n");
    EXPECT_EQ(m.end, "ret");
    EXPECT_EQ(m.stack, std::vector<std::int32_t>{0});
    EXPECT_EQ(m.statics[0], 0) << "ran on into the next function";
}

TEST(FinalReturn, IsNotDoubledAfterAnExplicitReturn) {
    CompiledText result = CompileText("F(x) {\n  return x;\n}\n");
    EXPECT_EQ(std::count(result.assembly.begin(), result.assembly.end(), "  ret;"), 1);
    EXPECT_EQ(std::count(result.assembly.begin(), result.assembly.end(), "ret;"), 0);
}

// Each loop runs the statement call five times; the stack must be as balanced as without it.
TEST(InlineStatementCall, LeavesNothingOnTheStack) {
    const char* callees[] = {
        "inline returns Step(a) { if (a) return 1; }",
        "inline Step(a) { s = s + a; }",
        "inline Step(a) { if (a == 2) return; s = s + a; }",
        "inline returns Step(a) { return a * 2; }",
    };
    for (const char* callee : callees) {
        Machine m = RunScript(kPieces + callee +
                        "\nWalk(i) {\n  i = 0;\n  while (i < 5) { call-script Step(i); sleep 100; i = i + 1; }\n}\n");
        EXPECT_EQ(m.end, "ret") << callee;
        EXPECT_EQ(m.stack, std::vector<std::int32_t>{0}) << callee << "\n" << Describe(m);
        EXPECT_EQ(m.underflows, 0) << callee;
    }
}

TEST(InlineStatementCall, LeavesItsValueInAnExpression) {
    Machine m = RunScript("inline Quiet(a) { a = a + 1; }\ninline returns Twice(a) { return a + a; }\n"
                    "F(x, y) { x = Quiet(4) + Twice(5); y = Quiet(1); }\n");
    EXPECT_EQ(m.locals[0], 10);
    EXPECT_EQ(m.locals[1], 0);
    EXPECT_EQ(m.stack, std::vector<std::int32_t>{0});
}

TEST(InlineArguments, ALaterArgumentWithAnInlinedCallKeepsTheEarlierOnes) {
    const std::string sum = "inline returns Sum(a, b) { return a + b; }\n"
                            "inline returns Sum3(a, b, c) { return a * 100 + b * 10 + c; }\n";
    struct Case {
        const char* expression;
        std::int32_t value;
    };
    const Case cases[] = {
        {"Sum(1, Sum(2, 3))", 6},
        {"Sum(Sum(1, 2), 3)", 6},
        {"Sum(Sum(1, 2), Sum(3, 4))", 10},
        {"Sum3(1, 2, Sum(3, 4))", 127},
        {"Sum3(Sum(1, 0), Sum3(0, 0, 2), 3)", 123},
        {"Sum(1, 2 + Sum(3, Sum(4, 5)))", 15},
    };
    for (const Case& c : cases) {
        Machine m = RunScript(sum + "F(x) { x = " + c.expression + "; }\n");
        EXPECT_EQ(m.locals[0], c.value) << c.expression;
        EXPECT_EQ(m.stack, std::vector<std::int32_t>{0}) << c.expression;
    }
}

TEST(InlineArguments, WithoutInlinedCallsInLaterArgumentsAreStoredAsComputed) {
    CompiledText result = CompileText("inline returns Sum(a, b) { return a + b; }\nF(x) { x = Sum(Sum(1, 2), 3); }\n");
    const std::vector<std::string>& lines = result.assembly;
    auto pushThree = std::find(lines.begin(), lines.end(), "  pushc 3;");
    ASSERT_NE(pushThree, lines.end());
    EXPECT_EQ(*(pushThree - 1), "  popl Sum_a;");
    EXPECT_EQ(*(pushThree + 1), "  popl Sum_b;");
}

TEST(VariableNames, ALocalNamedLikeAStaticAPieceOrAFunctionIsTheLocal) {
    Machine m = RunScript("piece turret;\nstatic-var busy, x;\n"
                    "F(turret) { var x, G; x = 3; turret = 4; busy = 5; G = 6; }\nG() { }\n");
    EXPECT_EQ(m.locals, (std::vector<std::int32_t>{4, 3, 6, 0, 0, 0, 0, 0}));
    EXPECT_EQ(m.statics, (std::vector<std::int32_t>{5, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(InlineAssembly, LabelsCanBeDefinedAndJumpedTo) {
    const std::string countToThree = "__zarn { top: pushs s; pushc 1; add; pops s; pushs s; pushc 3; setl; "
                                     "jnz done; jmp top; done: }";
    Machine m = RunScript("static-var s;\nF() { " + countToThree + " }\n");
    EXPECT_EQ(m.statics[0], 3);
    m = RunScript("static-var s;\ninline Up() { " + countToThree +
                  " }\nF() { call-script Up(); s = s + 10; call-script Up(); }\n");
    EXPECT_EQ(m.statics[0], 14) << "each inlined copy has labels of its own";
}

}  // namespace
