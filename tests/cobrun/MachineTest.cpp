// The machine's scheduling and its limits, on assembly text: when sleeping and waiting threads
// wake, what rand and get give, what a trace line shows, and how runaway scripts are stopped.
#include "tests/cobrun/UnitRun.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

UnitRun RunZarn(const std::string& text, std::vector<cobrun::ScriptStart> starts = {}, cobrun::RunOptions options = {}) {
    std::string problems;
    const std::string cob = CobOfZarn("piece base, arm;\nstatic-var a, b, c;\n" + text, problems);
    EXPECT_EQ(problems, "");
    return RunCob(cob, std::move(starts), options);
}

// Every event as "12 ms #1 Create: text", the trace included.
std::vector<std::string> Timeline(const std::string& text, cobrun::RunOptions options) {
    std::string problems;
    const std::string cob = CobOfZarn("piece base, arm;\nstatic-var a, b, c;\n" + text, problems);
    std::optional<cobrun::Unit> unit = cobrun::LoadUnit(cob, problems);
    std::vector<std::string> lines;
    if (!unit) return lines;
    options.starts = {{"Create", 0, {}}};
    cobrun::Run(*unit, options, [&](const cobrun::Event& e) {
        lines.push_back(std::to_string(e.ms) + " ms #" + std::to_string(e.thread) + " " + e.script + ": " + e.text);
    });
    return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(Machine, SleepsEndAtTheFirstFrameAtOrAfterTheirTime) {
    const auto lines = Timeline("proc Create args none; var none; beginproc\n"
                                "  pushc 100; sleep; pushc 1; sleep; pushc 0; sleep; pushc -5; sleep; hide; ddw base; ret;\n"
                                "endproc;\n",
                                {});
    EXPECT_TRUE(Has(lines, "100 ms #1 Create: sleep 1 ms")) << testing::PrintToString(lines);
    EXPECT_TRUE(Has(lines, "133 ms #1 Create: sleep 0 ms"));   // 1 ms waits for the next frame
    EXPECT_TRUE(Has(lines, "166 ms #1 Create: sleep -5 ms"));  // so does 0: a sleep always yields
    EXPECT_TRUE(Has(lines, "200 ms #1 Create: hide base"));
}

TEST(Machine, WaitsEndWhenTheMotionArrivesAndDoNotWaitForAPieceAtRest) {
    const auto lines = Timeline("proc Create args none; var none; beginproc\n"
                                "  wait-for-move; ddw arm; ddw 0;\n"
                                "  pushc 65536; pushc 6553; move; ddw arm; ddw 0;\n"  // a tenth of a unit at one unit per second
                                "  wait-for-move; ddw arm; ddw 0; hide; ddw arm; ret;\n"
                                "endproc;\n",
                                {});
    EXPECT_EQ(lines[1], "0 ms #1 Create: move arm x-axis to 0.10 at 1.00/s");
    EXPECT_EQ(lines[2], "0 ms #1 Create: wait-for-move arm x-axis");
    EXPECT_TRUE(Has(lines, "100 ms #0 : arm x-axis moved to 0.10"));
    EXPECT_TRUE(Has(lines, "100 ms #1 Create: hide arm"));
}

TEST(Machine, RandIsRepeatableForASeedAndStaysWithinItsBounds) {
    const std::string text = "proc Create args none; var none; beginproc\n"
                             "  pushc 1; pushc 6; rand; pops 0; pushc 10; pushc 1; rand; pops 1; pushc -3; pushc -3; rand; pops 2; ret;\n"
                             "endproc;\n";
    cobrun::RunOptions options;
    options.seed = 7;
    for (int run = 0; run < 20; ++run) {
        options.seed = static_cast<std::uint64_t>(run);
        const std::vector<std::int32_t> statics = RunZarn(text, {}, options).summary.statics;
        EXPECT_EQ(RunZarn(text, {}, options).summary.statics, statics);
        EXPECT_TRUE(statics[0] >= 1 && statics[0] <= 6) << statics[0];
        EXPECT_TRUE(statics[1] >= 1 && statics[1] <= 10) << statics[1];  // bounds in either order
        EXPECT_EQ(statics[2], -3);
    }
}

TEST(Machine, GetReadsTheGivenUnitValuesAndWhatSetStored) {
    cobrun::RunOptions options;
    options.values[4] = 77;
    const std::string text = "proc Create args none; var none; beginproc\n"
                             "  pushc 4; getuv; pops 0; pushc 9; pushc 1; pushc 3; get; pushc 9; getuv; pops 1; pops 2;\n"
                             "  pushc 9; pushc 5; set; pushc 9; getuv; pops 1; ret;\n"
                             "endproc;\n";
    // get takes the selector and one argument; a selector nobody set reads 0.
    EXPECT_EQ(RunZarn(text, {}, options).summary.statics, (std::vector<std::int32_t>{77, 5, 0}));
}

TEST(Machine, ATraceLineShowsTheInstructionWithNamedOperandsAndTheStackItFinds) {
    cobrun::RunOptions options;
    options.trace = true;
    const auto lines = Timeline("proc Create args none; var x; beginproc\n"
                                "  pushc 2; popl x; pushl x; pushl x; turnnow; ddw arm; ddw 1; ret;\n"
                                "endproc;\n",
                                options);
    EXPECT_TRUE(Has(lines, "0 ms #1 Create: word 0  clv  stack empty")) << testing::PrintToString(lines);
    EXPECT_TRUE(Has(lines, "0 ms #1 Create: word 3  popl local0  stack 2"));
    EXPECT_TRUE(Has(lines, "0 ms #1 Create: word 9  turnnow arm y-axis  stack 2 2"));
    EXPECT_TRUE(Has(lines, "0 ms #1 Create: ends, returning 2"));
}

TEST(Machine, RunawayScriptsAreStoppedBeforeTheyExhaustTheMachine) {
    cobrun::RunOptions options;
    options.budget = 1000000000;
    struct Case {
        const char* text;
        const char* fault;
    } cases[] = {
        {"proc Create args none; var none; beginproc call; ddw 0; ddw 0; endproc;\n",
         "Create: calls nest deeper than 1000 at word 0"},
        {"proc Create args none; var none; beginproc top: pushc 1; jmp top; endproc;\n",
         "Create: more than 100000 values on the stack at word 0"},
        {"proc Create args none; var none; beginproc again: start; ddw 1; ddw 0; jmp again; endproc;\n"
         "proc Idle args none; var none; beginproc idle: pushc 1000; sleep; jmp idle; endproc;\n",
         "Create: more than 10000 threads at word 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        UnitRun run = RunZarn(c.text, {}, options);
        EXPECT_EQ(run.summary.faults, 1);
        EXPECT_TRUE(Has(run.lines, c.fault)) << testing::PrintToString(std::vector<std::string>(run.lines.end() - std::min<std::size_t>(run.lines.size(), 3), run.lines.end()));
    }
}

TEST(Timeline, ColumnsStaySeparateForLongNumbers) {
    cobrun::Event event;
    event.ms = 12345678;
    event.thread = 1234;
    event.script = "Walk";
    event.text = "sleep 100 ms";
    EXPECT_EQ(cobrun::TimelineLine(event, 6), "12345678 ms  #1234 Walk    sleep 100 ms\n");
    event.thread = 7;
    event.ms = 5;
    EXPECT_EQ(cobrun::TimelineLine(event, 6), "      5 ms  #7  Walk    sleep 100 ms\n");
}

TEST(Machine, TheRunStopsWhenTheTimeIsUpOrWhenEverythingRests) {
    const std::string sleeping = "proc Create args none; var none; beginproc pushc 1000; sleep; ret; endproc;\n";
    cobrun::RunOptions options;
    options.untilMs = 500;
    UnitRun run = RunZarn(sleeping, {}, options);
    EXPECT_TRUE(run.summary.timeUp);
    EXPECT_EQ(run.summary.endMs, 500);
    // A steady spin never comes to rest, so it keeps nothing going.
    const std::string spinning = "proc Create args none; var none; beginproc pushc 100; pushc 0; spin; ddw arm; ddw 1; ret; endproc;\n";
    run = RunZarn(spinning, {}, options);
    EXPECT_FALSE(run.summary.timeUp);
    EXPECT_EQ(run.summary.endMs, 0);
    const std::string turning = "proc Create args none; var none; beginproc pushc 8192; pushc 4096; turn; ddw arm; ddw 1; ret; endproc;\n";
    run = RunZarn(turning, {}, options);  // half a second at 45 degrees a second
    EXPECT_FALSE(run.summary.timeUp);
    EXPECT_EQ(run.summary.endMs, 500);
}

}  // namespace
