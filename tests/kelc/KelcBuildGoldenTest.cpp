// End to end: each tests/golden/kelc/build/*.test file is a KEL script that the real kelc
// compiles and hands to the real zarn (default settings, assembler flags "-l -o0 -t0"); the
// expectation is a listing of the COB file. The bundled example unit must build as well.
#include "tests/kelc/ProgramDirectory.h"
#include "tests/support/CobListing.h"
#include "tests/support/GoldenFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

// The COB listing, or kelc's console output when no COB file was written.
std::string Build(const std::string& source) {
    ProgramDirectory dir;
    dir.Write("unit.kel", source);
    CommandResult result = dir.Kelc("unit.kel");
    if (!dir.Exists("unit.cob")) return "no COB file; kelc printed:\n" + result.output;
    return CobListing(dir.Read("unit.cob"));
}

class KelcBuildGolden : public testing::TestWithParam<std::string> {};

TEST_P(KelcBuildGolden, MatchesExpectation) {
    golden::Case golden = golden::Load(GetParam());
    golden::Check(golden, Build(golden.input));
}

INSTANTIATE_TEST_SUITE_P(Files, KelcBuildGolden,
                         testing::ValuesIn(golden::ListCases(KEL_SOURCE_DIR "/tests/golden/kelc/build", ".test")),
                         [](const testing::TestParamInfo<std::string>& info) { return golden::TestName(info.param); });

TEST(KelcExample, TheExampleUnitBuildsIntoACobFile) {
    std::ifstream in(KEL_SOURCE_DIR "/examples/unit.kel", std::ios::binary);
    const std::string listing = Build(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    const std::vector<std::string> scripts{"Create",      "Activate",          "Deactivate",  "Walk",
                                           "StandStill",  "StartMoving",       "StopMoving",  "RestoreAfterDelay",
                                           "AimWeapon1",  "FireWeapon1",       "QueryWeapon1", "AimFromWeapon1",
                                           "Killed"};
    for (std::size_t i = 0; i < scripts.size(); ++i)
        EXPECT_NE(listing.find("\nscript " + std::to_string(i) + " " + scripts[i] + "\n"), std::string::npos)
            << scripts[i];
    EXPECT_NE(listing.find("pieces\n  0  base\n  1  pelvis\n  2  torso\n  3  lthigh\n  4  lleg\n  5  rthigh\n"
                           "  6  rleg\n  7  turret\n  8  barrel\n  9  flare\n"),
              std::string::npos)
        << listing;
}

}  // namespace
