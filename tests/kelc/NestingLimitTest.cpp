// Deeply nested source ends with a fatal error instead of exhausting the stack, while nesting
// up to the limit still compiles.
#include "tests/kelc/CompileText.h"

#include <gtest/gtest.h>

namespace {

std::string Repeated(const std::string& text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i) result += text;
    return result;
}

std::string Parenthesised(int depth) { return Repeated("(", depth) + "1" + Repeated(")", depth); }

std::string Messages(const CompiledText& result) {
    std::string text;
    for (const std::string& message : result.messages) text += message + "\n";
    return text;
}

TEST(NestingLimit, ParenthesesUpToTheLimitCompile) {
    CompiledText result = CompileText("F(x) { x = " + Parenthesised(999) + "; }");
    EXPECT_TRUE(result.success) << Messages(result);
}

TEST(NestingLimit, TenThousandParenthesesAreAFatalError) {
    CompiledText result = CompileText("F(x) { x = " + Parenthesised(10000) + "; }");
    EXPECT_FALSE(result.success);
    EXPECT_NE(Messages(result).find(": Expression nested too deeply\n"), std::string::npos) << Messages(result);
}

TEST(NestingLimit, ConstantExpressionsHaveTheSameLimit) {
    EXPECT_TRUE(CompileText("const A = " + Parenthesised(1000) + ";").success);
    CompiledText result = CompileText("const A = " + Parenthesised(10000) + ";");
    EXPECT_NE(Messages(result).find(": Expression nested too deeply\n"), std::string::npos) << Messages(result);
}

TEST(NestingLimit, ThousandsOfNestedBlocksAreAFatalError) {
    EXPECT_TRUE(CompileText("F(x) {" + Repeated(" if (x) {", 998) + Repeated(" }", 998) + " }").success);
    CompiledText result = CompileText("F(x) {" + Repeated(" if (x) {", 5000) + Repeated(" }", 5000) + " }");
    // The function body is the first block, so the body of the 1000th if is one too many.
    EXPECT_NE(Messages(result).find("[Fatal Error] \"t.kel\"(1:9006) : In function \"F\" [Fatal Error] "
                                    "\"t.kel\"(1:9006) : Statements nested too deeply\n"),
              std::string::npos)
        << Messages(result);
    result = CompileText("F(x) {" + Repeated(" while (x)", 5000) + " ; }");
    EXPECT_NE(Messages(result).find(": Statements nested too deeply\n"), std::string::npos) << Messages(result);
}

}  // namespace
