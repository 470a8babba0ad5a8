// Each tests/golden/zarn/*.test file: assembly text, the marker, then what zarn prints and a
// listing of the COB file. A first line "// flags: -e -o0" passes flags.
#include "tests/support/CobListing.h"
#include "tests/support/GoldenFile.h"
#include "tests/support/AssembleText.h"

#include <gtest/gtest.h>

namespace {

class ZarnGolden : public testing::TestWithParam<std::string> {};

TEST_P(ZarnGolden, MatchesExpectation) {
    golden::Case golden = golden::Load(GetParam());
    AssembledText result = AssembleText(golden.input, golden::HeaderWords(golden.input, "// flags:"));
    std::string actual = result.console;
    if (result.ok) actual += "---- cob ----\n" + CobListing(result.cob);
    golden::Check(golden, actual);
}

INSTANTIATE_TEST_SUITE_P(Files, ZarnGolden,
                         testing::ValuesIn(golden::ListCases(KEL_SOURCE_DIR "/tests/golden/zarn", ".test")),
                         [](const testing::TestParamInfo<std::string>& info) { return golden::TestName(info.param); });

}  // namespace
