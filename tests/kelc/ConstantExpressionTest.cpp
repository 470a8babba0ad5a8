#include "tests/kelc/CompileText.h"

#include <gtest/gtest.h>

namespace {

// The value of `const A = <expression>;`, from the declaration's comment line.
std::string ValueOf(const std::string& expression, bool extensions = true) {
    kelc::TCompilerOptions options;
    options.EnableZARNExtentions = extensions;
    CompiledText result = CompileText("piece base, turret;\nconst A = " + expression + ";\n", options);
    if (!result.success) return result.messages.empty() ? "?" : result.messages[0];
    return result.assembly.at(1).substr(std::string("//const A = ").size());
}

TEST(ConstantExpression, ArithmeticAndPrecedence) {
    EXPECT_EQ(ValueOf("1 + 2 * 3"), "7;");
    EXPECT_EQ(ValueOf("(1 + 2) * 3"), "9;");
    EXPECT_EQ(ValueOf("7 / 2"), "3;");
    EXPECT_EQ(ValueOf("-7 / 2"), "-3;");
    EXPECT_EQ(ValueOf("turret * 10"), "10;");  // a piece counts as its number
}

TEST(ConstantExpression, LogicalAndBitwiseOperatorsShareOneLevel) {
    EXPECT_EQ(ValueOf("1 || 0 && 0"), "0;");
    EXPECT_EQ(ValueOf("6 & 3 | 8"), "10;");
    EXPECT_EQ(ValueOf("2 || 0"), "1;");
    EXPECT_EQ(ValueOf("256 || 0"), "0;");  // only the lowest byte is tested
    EXPECT_EQ(ValueOf("3 ^^ 1"), "2;");
}

TEST(ConstantExpression, UnaryOperators) {
    EXPECT_EQ(ValueOf("~0"), "1;");
    EXPECT_EQ(ValueOf("~1"), "0;");
    EXPECT_EQ(ValueOf("!0"), "-1;");
}

TEST(ConstantExpression, ShiftsOnlyWithExtensions) {
    EXPECT_EQ(ValueOf("1 << 4"), "16;");
    EXPECT_EQ(ValueOf("-16 >> 2"), "-4;");
    EXPECT_EQ(ValueOf("1 << 4", false),
              "[Fatal Error] \"t.kel\"(2:13) : Error: \";\" expected but \"<<\" found.");
}

TEST(ConstantExpression, RunTimeChecksEndTheCompilation) {
    EXPECT_EQ(ValueOf("8 >> 256"), "[Fatal Error] \"t.kel\"(2:19) : Range check error");
    EXPECT_EQ(ValueOf("2147483647 + 1"), "[Fatal Error] \"t.kel\"(2:25) : Integer overflow");
    EXPECT_EQ(ValueOf("1 / 0"), "[Fatal Error] \"t.kel\"(2:16) : Division by zero");
    EXPECT_EQ(ValueOf("4294967296"), "[Fatal Error] \"t.kel\"(2:11) : Range check error");
    EXPECT_EQ(ValueOf("2147483647"), "2147483647;");
}

TEST(ConstantExpression, OnlyOneRelationOrEquality) {
    EXPECT_EQ(ValueOf("1 < 2 < 3"), "[Fatal Error] \"t.kel\"(2:17) : Error: \";\" expected but \"<\" found.");
    EXPECT_EQ(ValueOf("2 == 2"), "1;");
}

TEST(ConstantExpression, OperandsThatAreNoConstants) {
    CompiledText undeclared = CompileText("const A = nothing + 1;\n");
    ASSERT_GE(undeclared.messages.size(), 1u);
    EXPECT_EQ(undeclared.messages[0], "[Error] \"t.kel\"(1:11) : Undeclaired identifier, nothing");
    EXPECT_EQ(undeclared.assembly[0], "//const A = 0;");  // an undeclared name counts as -1

    CompiledText variable = CompileText("static-var s;\nconst A = s;\n");
    ASSERT_EQ(variable.messages.size(), 3u);
    EXPECT_EQ(variable.messages[0], "[Fatal Error] \"t.kel\"(2:11) : Constant expression expected, but found a varaible s");
    // A raised fatal error is recorded a second time when the compile run catches it.
    EXPECT_EQ(variable.messages[1], "[Fatal Error] \"t.kel\"(2:11) : " + variable.messages[0]);
    EXPECT_EQ(variable.messages[2], "[Fatal Error] \"t.kel\"(2:11) : Could not compile dependant file.");

    CompiledText floating = CompileText("const A = 1.5;\n");
    EXPECT_EQ(floating.messages.at(0),
              "[Error] \"t.kel\"(1:11) : Floatpoint values are not permitted in arbitrary locations 1.5");
}

TEST(ConstantExpression, AConstantIsDeclaredBeforeItsValueIsComputed) {
    EXPECT_EQ(CompileText("const A = A + 1;\n").assembly[0], "//const A = 0;");
}

TEST(ConstantExpression, IfDirectives) {
    CompiledText kept = CompileText("#if TRUE\npiece a;\n#endif\n#if 0\npiece b;\n#endif\n");
    EXPECT_TRUE(kept.success);
    EXPECT_EQ(kept.assembly[0], "piece a;");
    EXPECT_EQ(kept.assembly.size(), 1u);

    CompiledText later = CompileText("#if LATER\n#endif\npiece LATER;\n");
    ASSERT_GE(later.messages.size(), 2u);
    EXPECT_EQ(later.messages[0], "[Error] : \"t.kel\"(1:1) : Undeclaired identifier, LATER");  // the directive's place
    EXPECT_NE(later.messages[1].find("Redeclared Identifier: \"LATER\""), std::string::npos);
}

}  // namespace
