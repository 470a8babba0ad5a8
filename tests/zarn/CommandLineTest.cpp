#include "tests/support/CaptureConsole.h"
#include "zarn/CommandLine.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(CommandLine, TheCobFileIsNamedAfterTheInput) {
    CaptureConsole console;
    for (const auto& [input, output] : {std::pair<const char*, const char*>{"tank.zarn", "tank.cob"},
                                        {"dir.v2/tank", "dir.v2/tank.cob"},
                                        {"tank.asm", "tank.cob"},
                                        {".zarn", ".cob"}})
        EXPECT_EQ(zarn::ReadOptions({input}, console).outputName, output) << input;
}

TEST(CommandLine, FlagsReadOneDigitAndLaterOnesWin) {
    CaptureConsole console;
    zarn::Options options = zarn::ReadOptions({"t.zarn", "-l", "-o0", "-t25", "-o", "-e", "out.bin", "-c7"}, console);
    EXPECT_TRUE(options.logToFiles);
    EXPECT_TRUE(options.warningsAsErrors);
    EXPECT_EQ(options.optimizationLevel, 0);
    EXPECT_EQ(options.optimizationType, 2);
    EXPECT_EQ(options.outputName, "out.bin");
    EXPECT_EQ(console.Text(), "");
}

TEST(CommandLine, UnknownSwitchesAndNonDigitValuesAreReportedAndSkipped) {
    CaptureConsole console;
    zarn::Options options = zarn::ReadOptions({"t.zarn", "-X", "-ox", "-L", "-cx", "-w", "-s"}, console);
    EXPECT_EQ(console.Text(),
              "Unrecognized switch, -X\nUnrecognized switch, -o\nUnrecognized switch, -L\nUnrecognized switch, -c\n");
    EXPECT_EQ(options.optimizationLevel, 3);
    EXPECT_FALSE(options.logToFiles);
}

TEST(CommandLine, ArgumentCount) {
    EXPECT_FALSE(zarn::ValidArgumentCount({}));
    EXPECT_TRUE(zarn::ValidArgumentCount(std::vector<std::string>(7, "x")));
    EXPECT_FALSE(zarn::ValidArgumentCount(std::vector<std::string>(8, "x")));
}

}  // namespace
