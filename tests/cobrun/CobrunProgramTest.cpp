// The program around the machine: its command line, the files it reads and writes, and what
// bad input gets.
#include "cobrun/CommandLine.h"
#include "cobrun/Driver.h"
#include "cobrun/Escapes.h"
#include "tests/cobrun/UnitRun.h"
#include "tests/support/CaptureConsole.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string errors;
};

ProgramRun RunProgram(const std::vector<std::string>& args) {
    CaptureConsole out, errors;
    ProgramRun run;
    run.status = cobrun::RunCobrun(args, out, errors);
    run.out = out.Text();
    run.errors = errors.Text();
    return run;
}

const char* const kWalker =
    "piece base, leg;\n"
    "Create() { turn leg to x-axis <30> speed <90>; }\n"
    "Walk(steps) { while (steps > 0) { turn leg to x-axis <-30> speed <90>; wait-for-turn leg around x-axis; "
    "turn leg to x-axis <30> speed <90>; wait-for-turn leg around x-axis; steps = steps - 1; } }\n";

std::string WalkerCob() {
    std::string problems;
    std::string cob = CobOfKel(kWalker, {}, problems);
    EXPECT_EQ(problems, "");
    return cob;
}

TEST(CobrunCommandLine, ReadsEveryOption) {
    std::string error;
    std::optional<cobrun::CommandLine> line = cobrun::ParseCommandLine(
        {"--start", "Aim@1500", "16384", "-5", "--start", "Walk", "--value", "4=-1", "--seed", "9", "--until", "2000",
         "--budget", "50", "--trace", "--svg", "a.svg", "--json", "a.json", "unit.cob"},
        error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(line->fileName, "unit.cob");
    ASSERT_EQ(line->options.starts.size(), 2u);
    EXPECT_EQ(line->options.starts[0].name, "Aim");
    EXPECT_EQ(line->options.starts[0].ms, 1500);
    EXPECT_EQ(line->options.starts[0].arguments, (std::vector<std::int32_t>{16384, -5}));
    EXPECT_EQ(line->options.starts[1].ms, 0);
    EXPECT_EQ(line->options.values.at(4), -1);
    EXPECT_EQ(line->options.seed, 9u);
    EXPECT_EQ(line->options.untilMs, 2000);
    EXPECT_EQ(line->options.budget, 50);
    EXPECT_TRUE(line->options.trace);
    EXPECT_EQ(line->svgFile, "a.svg");
    EXPECT_EQ(line->jsonFile, "a.json");
}

TEST(CobrunCommandLine, RefusesWhatItCannotUse) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no COB file given"},
        {{"a.cob", "b.cob"}, "more than one COB file: \"b.cob\""},
        {{"--fast", "a.cob"}, "unknown option --fast"},
        {{"a.cob", "--until"}, "--until needs a value"},
        {{"--until", "600001", "a.cob"}, "--until needs milliseconds from 0 to 600000, not \"600001\""},
        {{"--until", "1e3", "a.cob"}, "--until needs milliseconds from 0 to 600000, not \"1e3\""},
        {{"--start", "@5", "a.cob"}, "--start needs NAME or NAME@MS with MS from 0 to 600000, not \"@5\""},
        {{"--start", "Walk@-1", "a.cob"}, "--start needs NAME or NAME@MS with MS from 0 to 600000, not \"Walk@-1\""},
        {{"--value", "4", "a.cob"}, "--value needs N=V with two 32-bit numbers, not \"4\""},
        {{"--value", "4=2147483648", "a.cob"}, "--value needs N=V with two 32-bit numbers, not \"4=2147483648\""},
        {{"--budget", "0", "a.cob"}, "--budget needs a number of instructions from 1 to 1000000000, not \"0\""},
        {{"--seed", "-1", "a.cob"}, "--seed needs a number from 0 to 18446744073709551615, not \"-1\""},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(message);
        ProgramRun run = RunProgram(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.errors, "cobrun: " + message + "\n" + cobrun::kUsage);
    }
}

TEST(CobrunProgram, HelpAndVersionGoToStandardOutput) {
    ProgramRun help = RunProgram({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: cobrun", 0), 0u) << help.out;
    ProgramRun version = RunProgram({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "cobrun " KEL_VERSION "\n");
    EXPECT_EQ(help.errors + version.errors, "");
}

TEST(CobrunProgram, BadFilesGetAMessageAndStatusOne) {
    TempDirectory dir;
    dir.Write("short.cob", std::string(20, '\0'));
    std::string cob = WalkerCob();
    dir.Write("cut.cob", cob.substr(0, cob.size() - 3));
    cob[16] = '\x01';
    cob[19] = '\x01';  // 16777217 statics
    dir.Write("statics.cob", cob);
    EXPECT_EQ(RunProgram({dir.File("missing.cob")}).errors, "cobrun: cannot read \"" + dir.File("missing.cob") + "\"\n");
    EXPECT_EQ(RunProgram({dir.Path()}).errors, "cobrun: cannot read \"" + dir.Path() + "\"\n");
    for (const char* name : {"short.cob", "cut.cob", "statics.cob"}) {
        ProgramRun run = RunProgram({dir.File(name)});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.errors.rfind("cobrun: " + dir.File(name) + " is no valid COB file:\noffset ", 0), 0u) << run.errors;
    }
    EXPECT_NE(RunProgram({dir.File("statics.cob")}).errors.find("offset 16: staticVarCount is 16777217, more than the 65536 cobrun runs\n"),
              std::string::npos);
}

TEST(CobrunProgram, WritesTheChartAndTheDataOfTheRun) {
    TempDirectory dir;
    dir.Write("walker.cob", WalkerCob());
    ProgramRun run = RunProgram({dir.File("walker.cob"), "--start", "Walk@100", "2", "--svg", dir.File("walk.svg"), "--json",
                                 dir.File("walk.json")});
    EXPECT_EQ(run.status, 0) << run.errors;
    const std::string svg = dir.Read("walk.svg");
    EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
    EXPECT_NE(svg.find(">leg</text>"), std::string::npos);
    EXPECT_NE(svg.find(">angle (deg)</text>"), std::string::npos);
    EXPECT_NE(svg.find("<path d=\"M"), std::string::npos);
    EXPECT_NE(svg.find("<title>100 ms Walk turn leg x-axis to -30.0 deg at 90.0 deg/s</title>"), std::string::npos);
    EXPECT_NE(svg.find("not moved: base"), std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");

    const std::string json = dir.Read("walk.json");
    EXPECT_NE(json.find("{\"name\": \"leg\",\n   \"angle\": {\"x\": [[0, 0], [33, 3], "), std::string::npos) << json.substr(0, 400);
    EXPECT_NE(json.find("{\"ms\": 100, \"thread\": 2, \"script\": \"Walk\", \"kind\": \"thread\", \"piece\": null, \"text\": \"begins (2)\"}"),
              std::string::npos);
    EXPECT_NE(json.find("\"kind\": \"rest\", \"piece\": \"leg\", \"text\": \"leg x-axis turned to 30.0 deg\"}"), std::string::npos);
}

TEST(CobrunProgram, AFileThatCannotBeWrittenFailsTheRunAndKeepsTheTimeline) {
    TempDirectory dir;
    dir.Write("walker.cob", WalkerCob());
    ProgramRun run = RunProgram({dir.File("walker.cob"), "--svg", dir.Path()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("end: every thread has ended"), std::string::npos);
    EXPECT_EQ(run.errors.rfind("cobrun: cannot write \"" + dir.Path() + "\": ", 0), 0u) << run.errors;
}

TEST(CobrunProgram, AUnitWithoutCreateRunsOnlyTheGivenStarts) {
    TempDirectory dir;
    std::string problems;
    dir.Write("unit.cob", CobOfKel("piece base;\nOpen() { show base; }\n", {}, problems));
    ProgramRun run = RunProgram({dir.File("unit.cob"), "--start", "Open@40"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errors, "cobrun: " + dir.File("unit.cob") + " has no script Create; only --start scripts run\n");
    EXPECT_NE(run.out.find("     66 ms  #1  Open    show base\n"), std::string::npos) << run.out;
}

TEST(CobrunEscapes, NamesFromTheFileCannotBreakTheOutput) {
    EXPECT_EQ(cobrun::XmlText("a<b>&\"c\"\x01\xff"), "a&lt;b&gt;&amp;&quot;c&quot;??");
    EXPECT_EQ(cobrun::JsonString("a\"b\\c\n\xff"), "\"a\\\"b\\\\c\\u000A\\u00FF\"");
}

}  // namespace
