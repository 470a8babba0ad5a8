// Runs the real kelc (with the real zarn beside it) from a temporary program directory.
#include "tests/kelc/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

const std::string kDeclarations = "piece base, turret;\nstatic-var busy;\nconst RATE = 2 * 3;\n";

TEST(KelcProgram, WithoutArgumentsPrintsUsageAndTouchesNoSettings) {
    ProgramDirectory dir;
    CommandResult result = dir.Kelc("");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "Usage: kelc <kel file>\n");
    EXPECT_FALSE(dir.Exists("kelc.ini"));
}

TEST(KelcProgram, ADeclarationsOnlyScriptBuildsIntoACobFile) {
    ProgramDirectory dir;
    dir.Write("arm.kel", kDeclarations);
    CommandResult result = dir.Kelc("arm.kel");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("Source: arm.kel\nDest: arm.zarn\nPreprocessor Output: arm.prezarn\n"
                                 "ZARN error log: arm_ZARN_error.txt\nAssembling ZARN to COB\nAttempting to invoke zarn\n"),
              std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("Done!\n"), std::string::npos);
    EXPECT_NE(result.output.find("Finished Compiling!\n\n"), std::string::npos);
    EXPECT_TRUE(dir.Exists("arm.cob"));
    std::string assembly = dir.Read("arm.zarn");
    EXPECT_EQ(assembly.substr(0, 56), "piece base, turret;\r\nstatic-var busy;\r\n//const RATE = 6;");
}

TEST(KelcProgram, ScriptsAndIncludesSavedWithAByteOrderMarkBuild) {
    ProgramDirectory dir;
    const std::string mark = "\xEF\xBB\xBF";
    dir.Write("parts.kelh", mark + "piece base, turret;\r\n");
    dir.Write("arm.kel", mark + "#include \"parts.kelh\"\r\nCreate()\r\n{\r\n  hide turret;\r\n}\r\n");
    CommandResult result = dir.Kelc("arm.kel");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(dir.Exists("arm.cob"));
    EXPECT_EQ(dir.Read("arm.zarn").find(mark), std::string::npos);
}

TEST(KelcProgram, TheSettingsFileIsWrittenWithItsNineKeys) {
    ProgramDirectory dir;
    dir.Write("arm.kel", kDeclarations);
    dir.Kelc("arm.kel");
    EXPECT_EQ(dir.Read("kelc.ini"),
              "[Settings]\r\nEnableZARNExtentions=1\r\nAssemblerExeName=zarn\r\nAssemblerParams=-l -o0 -t0\r\n"
              "AssemblerOutputFile=\r\nCompileAndDoNotAssemble=0\r\nPauseOnException=1\r\nPauseAtEnd=0\r\n"
              "AutoEmitLastRet=1\r\nMirroxCompatibility=1\r\n");
}

TEST(KelcProgram, MissingFilesAmongSeveralAreReportedAndTheOthersBuilt) {
    ProgramDirectory dir;
    dir.Write("kelc.ini", "[Settings]\nPauseOnException=0\nCompileAndDoNotAssemble=1\n");
    dir.Write("a.kel", kDeclarations);
    dir.Write("c", kDeclarations);
    CommandResult result = dir.Kelc("a.kel missing.kel c");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("\nFile missing.kel does not exist\n"), std::string::npos) << result.output;
    EXPECT_EQ(CountOf(result.output, "Finished Compiling!"), 2u);
    EXPECT_TRUE(dir.Exists("a.zarn"));
    EXPECT_TRUE(dir.Exists("c.zarn"));  // no extension: the suffix is appended
    EXPECT_TRUE(dir.Exists("c.prezarn"));
    EXPECT_FALSE(dir.Exists("a.cob"));
}

TEST(KelcProgram, ScriptErrorsAreListedAndNothingIsAssembled) {
    ProgramDirectory dir;
    dir.Write("bad.kel", "const A = nothing;\n");
    dir.Write("bad.cob", "older");
    CommandResult result = dir.Kelc("bad.kel");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("Errors in source\n[Error] \"bad.kel\"(1:11) : Undeclaired identifier, nothing\n"),
              std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("Could not compile dependant file.\n\nFinished Compiling!"), std::string::npos);
    EXPECT_EQ(dir.Read("bad.cob"), "older");
    EXPECT_NE(dir.Read("bad.zarn").find("//Errors in source code\r\n"), std::string::npos);
}

TEST(KelcProgram, AMissingAssemblerIsReported) {
    ProgramDirectory dir;
    dir.Write("kelc.ini", "[Settings]\nAssemblerExeName=nowhere/zarn\n");
    dir.Write("arm.kel", kDeclarations);
    CommandResult result = dir.Kelc("arm.kel");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("Attempting to invoke nowhere/zarn\nUnable to invoke nowhere/zarn\n"
                                 "Reason: No such file or directory\nFinished Compiling!\n"),
              std::string::npos)
        << result.output;
}

TEST(KelcProgram, FilesAreFoundFromTheStartingDirectoryAndIncludesAlongTheSearchPaths) {
    ProgramDirectory dir;
    TempDirectory project;
    fs::create_directory(project.File("inc"));
    project.Write("inc/common.kelh", "piece base;\n");
    project.Write("arm.kel", "#include \"common.kelh\"\nstatic-var busy;\n");
    dir.Write("kelc.ini", "[Settings]\nIncludePaths=" + project.File("inc") + "\nCompileAndDoNotAssemble=1\n");
    CommandResult result = dir.Kelc("arm.kel", project.Path());
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_NE(project.Read("arm.zarn").find("piece base;\r\nstatic-var busy;\r\n"), std::string::npos);
}

TEST(KelcProgram, ConcurrentRunsKeepTheirAssemblerLogsApart) {
    ProgramDirectory dir;
    // A stand-in assembler that writes a log naming its input, slowly, and fails.
    dir.Write("fake-zarn", "#!/bin/sh\necho \"log of $1\" >> errors.txt\nsleep 0.3\nexit 1\n");
    fs::permissions(dir.File("fake-zarn"), fs::perms::owner_all);
    dir.Write("kelc.ini", "[Settings]\nAssemblerExeName=./fake-zarn\nPauseOnException=0\n");
    dir.Write("one.kel", kDeclarations);
    dir.Write("two.kel", kDeclarations);
    CommandResult result = dir.Kelc("one.kel > one.out 2>&1 & '" + dir.File("kelc") + "' two.kel; wait");
    EXPECT_EQ(dir.Read("one_ZARN_error.txt"), "log of one.zarn\r\n");
    EXPECT_EQ(dir.Read("two_ZARN_error.txt"), "log of two.zarn\r\n");
    EXPECT_FALSE(dir.Exists("errors.txt"));
}

TEST(KelcProgram, PauseAtEndReadsALine) {
    ProgramDirectory dir;
    dir.Write("kelc.ini", "[Settings]\nPauseAtEnd=0x10\nPauseOnException=1\n");
    CommandResult result = dir.Kelc("missing.kel");  // standard input is empty: the pause ends at once
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(dir.Read("kelc.ini").find("PauseAtEnd=1\r\n"), std::string::npos);
}

}  // namespace
