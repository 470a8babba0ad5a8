#include "tests/kelc/CompileText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(CompilerDiagnostics, ACleanScriptEndsWithTheCompileTimeOnly) {
    CompiledText result = CompileText("piece a, b;\nstatic-var s;\n");
    EXPECT_TRUE(result.success);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.assembly, (std::vector<std::string>{"piece a, b;", "static-var s;"}));
}

TEST(CompilerDiagnostics, AnUndeclaredNameIsReportedOnceAndTheErrorsEndTheText) {
    CompiledText result = CompileText("Go() {\n  x = y;\n  x = y;\n}\n");
    EXPECT_FALSE(result.success);
    ASSERT_GE(result.messages.size(), 2u);
    EXPECT_EQ(result.messages[0], "[Error] \"t.kel\"(2:5) : Undeclaired identifier, x");
    EXPECT_EQ(result.messages[1], "[Error] \"t.kel\"(2:7) : Undeclaired identifier, y");
    EXPECT_EQ(result.messages.back(), "[Fatal Error] \"t.kel\"(4:3) : Could not compile dependant file.");
    auto errors = std::find(result.assembly.begin(), result.assembly.end(), "//Errors in source code");
    ASSERT_NE(errors, result.assembly.end());
    EXPECT_EQ(static_cast<std::size_t>(result.assembly.end() - errors), result.messages.size() + 1);
    EXPECT_EQ(result.assembly.back(), "//" + result.messages.back());
}

TEST(CompilerDiagnostics, ErrorsInAFunctionNameIt) {
    CompiledText result = CompileText("Walk() {\n  sleep 1;\n  sleep 2;\n  x = 1;\n  y += 2;\n  z z;\n}\n");
    ASSERT_GE(result.messages.size(), 2u);
    const std::string& fatal = result.messages[result.messages.size() - 3];
    EXPECT_EQ(fatal, "[Fatal Error] \"t.kel\"(6:5) : Expecting assignment type");
    EXPECT_EQ(result.messages[result.messages.size() - 2],
              "[Fatal Error] \"t.kel\"(6:5) : In function \"Walk\" " + fatal);
}

TEST(CompilerDiagnostics, PreprocessorErrorsUseTheShortFormat) {
    CompiledText result = CompileText("#include \"missing.kelh\"\npiece a;\n");
    ASSERT_EQ(result.messages.size(), 2u);
    EXPECT_EQ(result.messages[0], "[Fatal Error] : \"t.kel\"(1:1) : Unable to find file 'missing.kelh'");
    EXPECT_EQ(result.messages[1], "[Fatal Error] : Could not compile dependant file.");
}

TEST(CompilerDiagnostics, NumberingOfPiecesAndLocals) {
    CompiledText result = CompileText("piece a, b;\nconst B = b;\nF(p, q) { var r; r = p + q; }\n");
    EXPECT_TRUE(result.success) << (result.messages.empty() ? "" : result.messages[0]);
    EXPECT_EQ(result.assembly[1], "//const B = 1;");
    EXPECT_NE(std::find(result.assembly.begin(), result.assembly.end(), "var p, q, r;"), result.assembly.end());
}

}  // namespace
