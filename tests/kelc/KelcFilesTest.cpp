// What the real kelc does to the files around it: sources named like outputs, outputs that are
// links or read-only, a stale assembler log, a lock that cannot be had, interrupts, and memory
// running out.
#include "tests/kelc/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;

const std::string kScript = "piece base;\nstatic-var busy;\n";
const fs::perms kReadWriteForOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;

bool LeftTemporaries(const TempDirectory& dir) {
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        if (entry.path().filename().string().find(".tmp") != std::string::npos) return true;
    return false;
}

std::set<std::string> Entries(const TempDirectory& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path())) names.insert(entry.path().filename().string());
    return names;
}

TEST(KelcFiles, ASourceIsNeverOverwrittenByItsOwnOutput) {
    ProgramDirectory dir;
    for (const std::string name : {"tank.zarn", "tank.prezarn", "tank.cob", "errors.txt"}) {
        dir.Write(name, kScript);
        CommandResult result = dir.Kelc(name);
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.output.find("Source \"" + name + "\" would be overwritten by its own output\n"),
                  std::string::npos)
            << result.output;
        EXPECT_EQ(dir.Read(name), kScript);
        EXPECT_EQ(Entries(dir), (std::set<std::string>{"kelc", "kelc.ini", "kelc.lock", "zarn", name}));
        fs::remove(dir.File(name));
    }
}

TEST(KelcFiles, OutputsKeepTheirLinksAndPermissionBits) {
    ProgramDirectory dir;
    // A stand-in assembler that fails with a log, so that the log is handed over.
    dir.Write("fake-zarn", "#!/bin/sh\necho \"log of $1\" >> errors.txt\nexit 1\n");
    fs::permissions(dir.File("fake-zarn"), fs::perms::owner_all);
    dir.Write("kelc.ini", "[Settings]\r\nAssemblerExeName=./fake-zarn\r\nPauseOnException=0\r\n");
    fs::permissions(dir.File("kelc.ini"), kReadWriteForOwnerOnly);
    dir.Write("arm.kel", kScript);
    fs::create_directory(dir.File("out"));
    fs::create_symlink("out/arm.zarn", dir.File("arm.zarn"));
    fs::create_symlink("out/arm-log.txt", dir.File("arm_ZARN_error.txt"));
    dir.Write("arm.prezarn", "older");
    fs::permissions(dir.File("arm.prezarn"), kReadWriteForOwnerOnly);

    EXPECT_EQ(dir.Kelc("arm.kel").status, 1);
    EXPECT_TRUE(fs::is_symlink(dir.File("arm.zarn")));
    EXPECT_EQ(dir.Read("out/arm.zarn").substr(0, 13), "piece base;\r\n");
    EXPECT_TRUE(fs::is_symlink(dir.File("arm_ZARN_error.txt")));
    EXPECT_EQ(dir.Read("out/arm-log.txt"), "log of arm.zarn\r\n");
    EXPECT_EQ(fs::status(dir.File("arm.prezarn")).permissions(), kReadWriteForOwnerOnly);
    EXPECT_EQ(fs::status(dir.File("kelc.ini")).permissions(), kReadWriteForOwnerOnly);
    EXPECT_NE(dir.Read("kelc.ini").find("AutoEmitLastRet=1"), std::string::npos);
}

TEST(KelcFiles, AStaleAssemblerLogIsNeverHandedOver) {
    ProgramDirectory dir;
    dir.Write("errors.txt", "Errors of a run that was killed\n");
    dir.Write("arm.kel", kScript);
    CommandResult result = dir.Kelc("arm.kel");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_FALSE(dir.Exists("arm_ZARN_error.txt"));
    EXPECT_FALSE(dir.Exists("errors.txt"));
}

TEST(KelcFiles, ALockThatCannotBeHadIsReportedAndTheBuildGoesOn) {
    ProgramDirectory dir;
    dir.Write("arm.kel", kScript);
    fs::create_symlink("no/such/folder/kelc.lock", dir.File("kelc.lock"));
    CommandResult unguarded = dir.Kelc("arm.kel");
    EXPECT_EQ(unguarded.status, 0) << unguarded.output;
    EXPECT_EQ(CountOf(unguarded.output, "Unable to lock \"kelc.lock\": No such file or directory; this run is not "
                                        "guarded against others\n"),
              2u)  // once for the settings, once for the assembler
        << unguarded.output;

    fs::remove(dir.File("kelc.lock"));
    fs::create_directory(dir.File("kelc.lock"));  // cannot be opened for writing, but can be locked
    CommandResult guarded = dir.Kelc("arm.kel");
    EXPECT_EQ(guarded.status, 0) << guarded.output;
    EXPECT_EQ(guarded.output.find("Unable to lock"), std::string::npos) << guarded.output;
}

TEST(KelcFiles, AnInterruptedRunLeavesNoTemporaryFileAndEndsWithTheSignalsStatus) {
    ProgramDirectory dir;
    dir.Write("kelc.ini", "[Settings]\r\nCompileAndDoNotAssemble=1\r\nPauseOnException=0\r\n");
    // Long enough that writing its preprocessed text takes a while.
    std::string script = kScript;
    const std::string comment = "// " + std::string(96, 'x') + "\n";
    for (int i = 0; i < 100000; ++i) script += comment;
    dir.Write("big.kel", script);
    // Waits until a temporary file appears, then asks kelc to terminate. A busy machine may let
    // kelc write all before the loop looks, so a few attempts are allowed.
    const std::string interruptedRun =
        "(./kelc big.kel > kelc.out & pid=$!\n"
        "while kill -0 $pid 2>/dev/null; do set -- *.tmp*; [ -e \"$1\" ] && break; done\n"
        "kill -TERM $pid 2>/dev/null; wait $pid; echo \"status $?\")";
    bool interrupted = false;
    for (int attempt = 0; attempt < 5 && !interrupted; ++attempt) {
        CommandResult result = RunCommand(dir.Path(), interruptedRun);
        interrupted = result.output == "status 143\n";
        EXPECT_TRUE(interrupted || result.output == "status 0\n") << result.output;
        EXPECT_FALSE(LeftTemporaries(dir));
    }
    EXPECT_TRUE(interrupted);
}

TEST(KelcFiles, MemoryRunningOutEndsTheRunWithAMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    ProgramDirectory dir;
    // Larger than the address space the limit leaves, so that no way of compiling it fits.
    std::string lines(120'000'000, 'a');
    for (std::size_t i = 1; i < lines.size(); i += 2) lines[i] = '\n';
    dir.Write("huge.kel", lines);
    CommandResult result = RunCommand(dir.Path(), "ulimit -v 100000; ./kelc huge.kel");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("Out of memory\n"), std::string::npos) << result.output.substr(0, 2000);
}

}  // namespace
