#include "zarn/Tokenizer.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Texts(const std::string& input) {
    std::vector<std::string> texts;
    for (const zarn::Token& token : zarn::Tokenize(input)) texts.push_back(token.text);
    return texts;
}

using Texts_ = std::vector<std::string>;

TEST(Tokenizer, SeparatorsAreTokensWithAnEmptyTokenBeforeThemAfterWhiteSpace) {
    EXPECT_EQ(Texts("pushc 5;"), (Texts_{"pushc", "5", ";"}));
    EXPECT_EQ(Texts("pushc 5 ;"), (Texts_{"pushc", "5", "", ";"}));
    EXPECT_EQ(Texts("loop_1:"), (Texts_{"loop_1", ":"}));
    EXPECT_EQ(Texts("a,b"), (Texts_{"a", ",", "b"}));
    EXPECT_EQ(Texts(";;"), (Texts_{"", ";", "", ";"}));
    EXPECT_EQ(Texts("'x"), (Texts_{"", "'", "x"}));
}

TEST(Tokenizer, CommentsAndSlashes) {
    EXPECT_EQ(Texts("ret; // done\nnop;"), (Texts_{"ret", ";", "nop", ";"}));
    EXPECT_EQ(Texts("abc// note\ndef "), (Texts_{"abcdef"}));
    EXPECT_EQ(Texts("a/b "), (Texts_{"ab"}));
    EXPECT_EQ(Texts("a/"), (Texts_{"a"}));
    EXPECT_EQ(Texts("// only a comment"), Texts_{});
}

TEST(Tokenizer, TheLastCharactersFormATokenEvenWithoutAFinalSeparator) {
    EXPECT_EQ(Texts("endproc;"), (Texts_{"endproc", ";"}));
    EXPECT_EQ(Texts("ret"), (Texts_{"ret"}));
}

TEST(Tokenizer, LinesAreThoseOfTheLastCharacter) {
    zarn::TokenList tokens = zarn::Tokenize("a\nb\r\n\nc;\nab// x\ncd\n");
    ASSERT_EQ(tokens.size(), 5u);
    EXPECT_EQ(tokens[0].line, 1);
    EXPECT_EQ(tokens[1].line, 2);
    EXPECT_EQ(tokens[2].line, 4);
    EXPECT_EQ(tokens[3].line, 4);
    EXPECT_EQ(tokens[4].text, "abcd");
    EXPECT_EQ(tokens[4].line, 6);
}

TEST(Tokenizer, BytesAreTakenAsTheyAre) {
    std::string input("a\0b\xff c", 6);
    zarn::TokenList tokens = zarn::Tokenize(input);
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].text, std::string("a\0b\xff", 4));
}

TEST(Tokenizer, ALeadingByteOrderMarkIsSkipped) {
    EXPECT_EQ(Texts("\xEF\xBB\xBFpiece a;"), (Texts_{"piece", "a", ";"}));
    EXPECT_EQ(Texts("a \xEF\xBB\xBF;"), (Texts_{"a", "\xEF\xBB\xBF", ";"}));
}

}  // namespace
