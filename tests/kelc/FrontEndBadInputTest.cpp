// The preprocessor and the scanner on hostile input: each ends with one of the documented errors
// or with a complete token list, whole however long the text, never with anything else.
#include "kelc/Scanner.h"
#include "tests/kelc/FrontEndHarness.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace kelc;

using harness::Files;

struct Outcome {
    std::string error;  // the documented error that ended the run; empty when none
    std::vector<TTokenData> tokens;
    std::string lastPosition;  // "file:line:column" of the last position the scanner reported
};

// Preprocesses `main` (main.kel, the given include files through the hook) and scans the output
// with the position hook the compiler uses; the symbol hook knows `known`.
Outcome FrontEnd(const std::string& main, const Files& includes = {}, const std::string& known = "") {
    TPreProcessor preprocessor;
    preprocessor.MainFileName = "main.kel";
    preprocessor.MainText = main;
    harness::ServeIncludeFiles(preprocessor, includes);
    Outcome run;
    std::string output;
    try {
        preprocessor.Preprocess("main.kel", output);
        TScanner scanner(
            output,
            [&preprocessor, &run](TScanner&, TTokenData& token) {
                PlaceToken(preprocessor.LineInfos, token);
                run.lastPosition = token.fileName + ":" + std::to_string(token.line) + ":" + std::to_string(token.column);
            },
            [&known](std::string_view text, TTokenType&) { return text == known; });
        for (; scanner.CurrentToken().kind != ttEndOfFile; scanner.NextToken()) run.tokens.push_back(scanner.CurrentToken());
    } catch (const EPreProcessorError& e) {
        run.error = e.what();
    } catch (const EScannerError& e) {
        run.error = e.what();
    } catch (const EConvertError& e) {
        run.error = e.what();
    }
    return run;
}

TEST(FrontEndBadInput, ArbitraryBytes) {
    // Pieces that reach every rule, mixed with random bytes.
    const std::vector<std::string> pieces{"#define A ", "#ifdef A\n", "#else\n", "#endif\n", "#include main.kel\n",
                                          "/*", "*/", "//", "\"", "\"\"", "<", ">", "[", "]", "-", "$", ".", "1",
                                          "x", "A", "\r", "\n", " ", std::string(1, '\0'), "#"};
    std::mt19937 random(2024);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i) {
            if (random() % 3 == 0) text += static_cast<char>(random() % 256);
            else text += pieces[random() % pieces.size()];
        }
        FrontEnd(text);  // any undocumented exception fails the test
    }
}

TEST(FrontEndBadInput, UnterminatedCommentsAndStrings) {
    EXPECT_EQ(FrontEnd("a /* open\r\n").error, "Error: Unexpected end of file in comment.");
    EXPECT_EQ(FrontEnd("a /* /* */\r\n").error, "Error: Unexpected end of file in comment.");
    EXPECT_EQ(FrontEnd("a \"open").error, "Error: Unexpected end of file in string.");
    EXPECT_EQ(FrontEnd("a \"open\r\nb\r\n").error, "Error: Unterminated string.");
}

TEST(FrontEndBadInput, TenThousandNestedParentheses) {
    const std::string text = std::string(10000, '(') + "x" + std::string(10000, ')');
    Outcome run = FrontEnd(text);
    EXPECT_EQ(run.error, "");
    ASSERT_EQ(run.tokens.size(), 20001u);
    EXPECT_EQ(run.tokens[10000].text, "x");
    EXPECT_EQ(run.tokens[10000].column, 10001);
    EXPECT_EQ(run.tokens.back().kind, ttCloseParen);
}

TEST(FrontEndBadInput, AFileThatIncludesItselfEndsWithTheNestingError) {
    Outcome run = FrontEnd("#include \"self.kelh\"\r\n", Files{{"self.kelh", "x\r\n#include \"self.kelh\"\r\n"}});
    std::string prefixes = "\"main.kel\"(1:1) : ";
    for (int level = 1; level <= 20; ++level) prefixes += "\"self.kelh\"(2:1) : ";
    EXPECT_EQ(run.error, prefixes + "Too many nested include files while processing self.kelh from self.kelh");
}

TEST(FrontEndBadInput, AnEmptyMacroValue) {
    Outcome run = FrontEnd("#define E\r\nE(E)E x\r\n");
    EXPECT_EQ(run.error, "");
    ASSERT_EQ(run.tokens.size(), 3u);
    EXPECT_EQ(run.tokens[1].kind, ttCloseParen);
    EXPECT_EQ(run.tokens[2].text, "x");
    EXPECT_EQ(run.tokens[2].line, 2);
    EXPECT_EQ(run.tokens[2].column, 4);  // the output column: the three E's are gone
}

TEST(FrontEndBadInput, AHugeMacroValue) {
    const std::string value(1000000, '7');
    Outcome run = FrontEnd("#define H " + value + "\r\nH+H;\r\nnext\r\n");
    EXPECT_EQ(run.error, "");
    ASSERT_EQ(run.tokens.size(), 5u);
    EXPECT_EQ(run.tokens[0].text, value);
    EXPECT_EQ(run.tokens[2].column, 1000002);
    EXPECT_EQ(run.tokens[4].text, "next");
    EXPECT_EQ(run.tokens[4].line, 3);
    EXPECT_EQ(run.tokens[4].column, 1);
}

TEST(FrontEndBadInput, AHashInAMacroValueReachesTheScanner) {
    Outcome run = FrontEnd("#define H a#b\r\nx\r\n  H\r\n");
    EXPECT_EQ(run.error, "Error: Unexpected character '#'.");
    EXPECT_EQ(run.lastPosition, "main.kel:3:4");
    ASSERT_EQ(run.tokens.size(), 1u);
}

TEST(FrontEndBadInput, VeryLongLinesIdentifiersAndStringsAreTakenWhole) {
    const std::string name(1000000, 'n');
    const std::string text(1000000, 't');
    std::string line;
    for (int i = 0; i < 100000; ++i) line += "a+";
    Outcome run = FrontEnd(name + " \"" + text + "\" " + line + "\r\nlast");
    EXPECT_EQ(run.error, "");
    ASSERT_EQ(run.tokens.size(), 200003u);
    EXPECT_EQ(run.tokens[0].text, name);
    EXPECT_EQ(run.tokens[1].text, text);
    EXPECT_EQ(run.tokens.back().text, "last");
    EXPECT_EQ(run.tokens.back().line, 2);
}

TEST(FrontEndBadInput, ALongChainOfDashedWordsSplitsOrStaysWhole) {
    std::string chain = "w";
    for (int i = 0; i < 20000; ++i) chain += "-w";
    EXPECT_EQ(FrontEnd(chain).tokens.size(), 40001u);
    Outcome known = FrontEnd(chain, {}, chain);
    ASSERT_EQ(known.tokens.size(), 1u);
    EXPECT_EQ(known.tokens[0].text, chain);
}

// Every word of the chain is first looked up with the rest of the chain behind it: a copy or a
// hash of that rest per word would take hours here, instead of a fraction of a second.
TEST(FrontEndBadInput, AMillionWordDashedChainIsScannedInOnePass) {
    std::string chain = "w";
    for (int i = 0; i < 1000000; ++i) chain += "-w";
    std::size_t lookups = 0, words = 0, dashes = 0;
    std::string last;
    TScanner scanner(chain, {}, [&lookups](std::string_view text, TTokenType&) {
        ++lookups;
        return text == "w-w-w";
    });
    for (; scanner.CurrentToken().kind != ttEndOfFile; scanner.NextToken()) {
        const TTokenData& token = scanner.CurrentToken();
        if (token.kind == ttMinus) ++dashes;
        else if (token.text == "w") ++words;
        last = token.text;
    }
    // The known name ends the chain as one word.
    EXPECT_EQ(words, 999998u);
    EXPECT_EQ(dashes, 999998u);
    EXPECT_EQ(last, "w-w-w");
    EXPECT_EQ(lookups, 2 * 999998u + 1);  // the whole rest, then the word alone
}

TEST(FrontEndBadInput, NulBytesEndTheText) {
    Outcome run = FrontEnd(std::string("a\0#endif\r\n", 10), Files{});
    EXPECT_EQ(run.error, "");
    ASSERT_EQ(run.tokens.size(), 1u);
}

}  // namespace
