#include "zarn/NumberValues.h"
#include "zarn/TokenKinds.h"
#include "zarn/TokenShapes.h"

#include <gtest/gtest.h>

namespace {

using zarn::ReadInteger;

TEST(NumberValues, IntegersSaturateAtThe32BitRange) {
    EXPECT_EQ(ReadInteger("123", 10), 123);
    EXPECT_EQ(ReadInteger("-90", 10), -90);
    EXPECT_EQ(ReadInteger("", 10), 0);
    EXPECT_EQ(ReadInteger("5-3", 10), 5);
    EXPECT_EQ(ReadInteger("0Ah", 16), 10);
    EXPECT_EQ(ReadInteger("0x1F", 16), 31);
    EXPECT_EQ(ReadInteger("99999999999", 10), 2147483647);
    EXPECT_EQ(ReadInteger("-99999999999", 10), -2147483647 - 1);
    EXPECT_EQ(ReadInteger("FFFFFFFF", 16), 2147483647);
}

TEST(NumberValues, AngleAndLinearConversions) {
    EXPECT_EQ(zarn::AngleUnits(90), 16384);
    EXPECT_EQ(zarn::AngleUnits(1), 182);
    EXPECT_EQ(zarn::AngleUnits(-1), -182);
    EXPECT_EQ(zarn::AngleUnits(-90), -16384);
    EXPECT_EQ(zarn::LinearUnits(2), 327680);
    // The product wraps at 32 bits before the division.
    EXPECT_EQ(zarn::AngleUnits(40000), static_cast<std::int32_t>(40000u * 65536u) / 360);
}

TEST(NumberValues, OperandWordsByKind) {
    std::int32_t word = 0;
    ASSERT_TRUE(zarn::NumberWord(zarn::kFractionLinear, "0.5", word));
    EXPECT_EQ(word, 81920);
    zarn::NumberWord(zarn::kFraction, "1.9", word);
    EXPECT_EQ(word, 1);
    zarn::NumberWord(zarn::kFraction, "-1.9", word);
    EXPECT_EQ(word, -1);
    zarn::NumberWord(zarn::kFractionAngle, "1.5", word);
    EXPECT_EQ(word, 273);
    zarn::NumberWord(zarn::kHexLinear, "1hl", word);
    EXPECT_EQ(word, 163840);
    zarn::NumberWord(zarn::kFraction, "1e999.", word);
    EXPECT_EQ(word, 1);
    EXPECT_FALSE(zarn::NumberWord(zarn::kLabelReference, "5", word));
}

TEST(TokenShapes, IntegersAndFractions) {
    EXPECT_EQ(zarn::ClassifyInteger("0Ah", false).kind, zarn::kHex);
    EXPECT_EQ(zarn::ClassifyInteger("90n", false).kind, zarn::kAngle);
    EXPECT_EQ(zarn::ClassifyInteger("2l", false).kind, zarn::kLinear);
    EXPECT_EQ(zarn::ClassifyInteger("1Fhn", false).kind, zarn::kHexAngle);
    EXPECT_EQ(zarn::ClassifyInteger("5hh", false).error, 22);
    EXPECT_EQ(zarn::ClassifyInteger("5nl", false).error, 23);
    EXPECT_EQ(zarn::ClassifyInteger("0A", false).kind, 0);  // a hex digit needs the "h"
    EXPECT_EQ(zarn::ClassifyInteger("90n", true).kind, 0);  // refused after an earlier hard error
    EXPECT_EQ(zarn::ClassifyFraction("1.5l").kind, zarn::kFractionLinear);
    EXPECT_EQ(zarn::ClassifyFraction("1.5l").numberLength, 3u);
    EXPECT_EQ(zarn::ClassifyFraction("2.5.1").kind, 0);
    EXPECT_EQ(zarn::ClassifyFraction("25").kind, 0);
}

TEST(TokenShapes, NamesAndLiterals) {
    EXPECT_TRUE(zarn::HasIdentifierShape("wait-for-turn"));
    EXPECT_TRUE(zarn::HasIdentifierShape("_a1"));
    EXPECT_FALSE(zarn::HasIdentifierShape("1a"));
    EXPECT_FALSE(zarn::HasIdentifierShape(""));
    EXPECT_TRUE(zarn::HasDllSymbolShape("c->d"));
    EXPECT_TRUE(zarn::HasDllSymbolShape("a.b-c"));
    EXPECT_FALSE(zarn::HasDllSymbolShape("a->b->c"));
    EXPECT_FALSE(zarn::HasDllSymbolShape("a>b"));
    EXPECT_TRUE(zarn::IsStringLiteral("\"\""));
    EXPECT_FALSE(zarn::IsStringLiteral("\"x"));
}

}  // namespace
