#include "kelc/PreProcessorParser.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

using kelc::TPreProcessorParser;

struct Piece {
    kelc::TPreProcessorTokenType type;
    std::string text;
    bool operator==(const Piece& o) const { return type == o.type && text == o.text; }
};
std::ostream& operator<<(std::ostream& out, const Piece& p) { return out << int(p.type) << "'" << p.text << "'"; }

std::vector<Piece> Split(const std::string& text, std::vector<std::int32_t>* lineStarts = nullptr) {
    TPreProcessorParser parser;
    if (lineStarts) {
        parser.OnNewLine = [lineStarts](TPreProcessorParser&, std::int32_t, std::int32_t, std::int32_t offset) {
            lineStarts->push_back(offset);
        };
    }
    parser.SetText(text);
    std::vector<Piece> pieces;
    while (parser.TokenType() != kelc::ptEndOfText) {
        pieces.push_back({parser.TokenType(), std::string(parser.TokenText())});
        parser.Next();
    }
    return pieces;
}

using kelc::ptDirective;
using kelc::ptIdentifier;
using kelc::ptText;

TEST(PreProcessorParser, Tokens) {
    EXPECT_EQ(Split("ab-1_c+12 $x"), (std::vector<Piece>{{ptIdentifier, "ab-1_c"}, {ptText, "+12 $"}, {ptIdentifier, "x"}}));
    EXPECT_EQ(Split("-x 1x"), (std::vector<Piece>{{ptIdentifier, "-x"}, {ptText, " 1"}, {ptIdentifier, "x"}}));
    EXPECT_EQ(Split("a\r\nb\rc\n"), (std::vector<Piece>{{ptIdentifier, "a"}, {ptText, "\r\n"}, {ptIdentifier, "b"},
                                                        {ptText, "\r"}, {ptIdentifier, "c"}, {ptText, "\n"}}));
    EXPECT_EQ(Split("#define X\r\n"), (std::vector<Piece>{{ptDirective, "#define X"}, {ptText, "\r\n"}}));
    EXPECT_EQ(Split("\"a b\"c"), (std::vector<Piece>{{ptText, "\"a b\""}, {ptIdentifier, "c"}}));
    EXPECT_EQ(Split("\"open\nx"), (std::vector<Piece>{{ptText, "\"open"}, {ptText, "\n"}, {ptIdentifier, "x"}}));
    EXPECT_EQ(Split("/*/x"), (std::vector<Piece>{{ptText, "/*/"}, {ptIdentifier, "x"}}));
    EXPECT_EQ(Split("/* a /* b */ c */"),
              (std::vector<Piece>{{ptText, "/* a /* b */"}, {ptText, " "}, {ptIdentifier, "c"}, {ptText, " *"}, {ptText, "/"}}));
    EXPECT_EQ(Split("/* open"), (std::vector<Piece>{{ptText, "/* open"}}));
    EXPECT_EQ(Split("// c\nx"), (std::vector<Piece>{{ptText, "// c"}, {ptText, "\n"}, {ptIdentifier, "x"}}));
    EXPECT_EQ(Split("1/2"), (std::vector<Piece>{{ptText, "1"}, {ptText, "/"}, {ptText, "2"}}));
    EXPECT_EQ(Split(std::string("a\0b", 3)), (std::vector<Piece>{{ptIdentifier, "a"}}));
}

TEST(PreProcessorParser, EveryLineEndIsReported) {
    std::vector<std::int32_t> starts;
    Split("a\r\nb\rc\n/*\n*/ 1\r\n2\n\"x\ny\"", &starts);
    EXPECT_EQ(starts, (std::vector<std::int32_t>{0, 3, 5, 7, 10, 16, 18, 21}));
}

TEST(PreProcessorParser, LineAndColumnOfTheToken) {
    TPreProcessorParser parser;
    parser.SetText("ab\n  #x\n");
    parser.Next();
    parser.Next();
    parser.Next();
    EXPECT_EQ(parser.TokenType(), ptDirective);
    EXPECT_EQ(parser.Line(), 2);
    EXPECT_EQ(parser.Column(), 3);
    EXPECT_EQ(parser.TokenPos(), 5);
}

}  // namespace
