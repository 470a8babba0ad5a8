#include "zarn/Tokenizer.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Texts(const std::string& input) {
    std::vector<std::string> texts;
    zarn::TokenList tokens = zarn::Tokenize(input);
    for (std::size_t i = 0; i < tokens.size(); ++i) texts.push_back(std::string(tokens.Text(i)));
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
    EXPECT_EQ(tokens.Text(4), "abcd");
    EXPECT_EQ(tokens[4].line, 6);
}

TEST(Tokenizer, BytesAreTakenAsTheyAre) {
    std::string input("a\0b\xff c", 6);
    zarn::TokenList tokens = zarn::Tokenize(input);
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens.Text(0), std::string("a\0b\xff", 4));
}

TEST(TokenList, TextsKeepTheirCharactersWhenOthersAreReplaced) {
    zarn::TokenList tokens = zarn::Tokenize("ab// x\ncd \"s\" e/f \"g// x\nh\"");
    ASSERT_EQ(tokens.size(), 4u);
    tokens.Narrow(1, 1, 1);
    tokens.Narrow(3, 1, 2);
    EXPECT_TRUE(tokens.SetText(2, "-2147483648"));
    EXPECT_EQ(tokens.Text(0), "abcd");
    EXPECT_EQ(tokens.Text(1), "s");
    EXPECT_EQ(tokens.Text(2), "-2147483648");
    EXPECT_EQ(tokens.Text(3), "gh");
}

TEST(TokenList, TextsOfTwoGibibytesOrMoreAreRefused) {
    EXPECT_TRUE(zarn::FitsTextLimit((std::size_t{1} << 31) - 1));
    EXPECT_FALSE(zarn::FitsTextLimit(std::size_t{1} << 31));
}

TEST(Tokenizer, ALeadingByteOrderMarkIsSkipped) {
    EXPECT_EQ(Texts("\xEF\xBB\xBFpiece a;"), (Texts_{"piece", "a", ";"}));
    EXPECT_EQ(Texts("a \xEF\xBB\xBF;"), (Texts_{"a", "\xEF\xBB\xBF", ";"}));
}

}  // namespace
