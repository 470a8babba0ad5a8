// Each tests/golden/cobdump/*.test file: assembly text, the marker, then the listing and the
// -S text of the COB file zarn makes of it (without its optimizer).
#include "tests/cobdump/DumpRun.h"
#include "tests/support/AssembleText.h"
#include "tests/support/GoldenFile.h"

#include <gtest/gtest.h>

namespace {

std::string Shown(const DumpRun& run) { return run.out + run.errors + "exit status " + std::to_string(run.status) + "\n"; }

class CobdumpGolden : public testing::TestWithParam<std::string> {};

TEST_P(CobdumpGolden, MatchesExpectation) {
    golden::Case golden = golden::Load(GetParam());
    const std::string cob = CobOf(golden.input);
    DumpRun assembly = RunOnBytes(cob, {"-S"});
    golden::Check(golden, "---- cobdump ----\n" + Shown(RunOnBytes(cob)) + "---- cobdump -S ----\n" + Shown(assembly));
    if (assembly.status == 0) {
        EXPECT_EQ(CobOf(assembly.out), cob);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, CobdumpGolden,
                         testing::ValuesIn(golden::ListCases(KEL_SOURCE_DIR "/tests/golden/cobdump", ".test")),
                         [](const testing::TestParamInfo<std::string>& info) { return golden::TestName(info.param); });

}  // namespace
