// What the real zarn does to the files around it: outputs that are pipes, links or read-only,
// a log shared by concurrent runs, a log that cannot be written, input larger than memory.
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const std::string kZarn = ZARN_EXECUTABLE;
const std::string kGoodText = "piece base;\nproc Go args none; var none; beginproc\nret;\nendproc;\n";

// A procedure jumping to `count` labels that do not exist: one error each.
std::string MissingLabels(const std::string& prefix, int count) {
    std::string text = "proc p args none; var none; beginproc\n";
    for (int i = 0; i < count; ++i) text += "jmp " + prefix + std::to_string(i) + ";\n";
    return text + "endproc;\n";
}

TEST(ZarnFiles, APipeOutputIsWrittenInPlaceAndALinkedOneThroughItsLink) {
    TempDirectory dir;
    dir.Write("tank.zarn", kGoodText);
    ASSERT_EQ(RunCommand(dir.Path(), kZarn + " tank.zarn").status, 0);
    const std::string cob = dir.Read("tank.cob");

    ASSERT_EQ(RunCommand(dir.Path(), "mkfifo pipe.cob").status, 0);
    std::fstream reader(dir.File("pipe.cob"), std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(reader.is_open());
    CommandResult piped = RunCommand(dir.Path(), kZarn + " tank.zarn pipe.cob");
    EXPECT_EQ(piped.status, 0) << piped.output;
    std::string received(cob.size(), '\0');
    reader.read(received.data(), static_cast<std::streamsize>(received.size()));
    EXPECT_EQ(received, cob);
    EXPECT_TRUE(fs::is_fifo(dir.File("pipe.cob")));

    fs::create_directory(dir.File("game"));
    dir.Write("game/tank.cob", "older");
    fs::permissions(dir.File("game/tank.cob"), fs::perms::owner_read | fs::perms::group_read);
    fs::create_symlink("game/tank.cob", dir.File("linked.cob"));
    EXPECT_EQ(RunCommand(dir.Path(), kZarn + " tank.zarn linked.cob").status, 0);
    EXPECT_TRUE(fs::is_symlink(dir.File("linked.cob")));
    EXPECT_EQ(dir.Read("game/tank.cob"), cob);
    EXPECT_EQ(fs::status(dir.File("game/tank.cob")).permissions(), fs::perms::owner_read | fs::perms::group_read);
}

TEST(ZarnFiles, TheInputIsNeverItsOwnOutput) {
    TempDirectory dir;
    dir.Write("tank.zarn", kGoodText);
    CommandResult result = RunCommand(dir.Path(), kZarn + " tank.zarn ./tank.zarn");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("Source \"tank.zarn\" would be overwritten by its own output\n"), std::string::npos)
        << result.output;
    EXPECT_EQ(dir.Read("tank.zarn"), kGoodText);
}

TEST(ZarnFiles, ConcurrentRunsAppendWholeBlocksToTheLog) {
    TempDirectory dir;
    const std::string names = "abcd";
    std::string runs;
    for (char name : names) {
        dir.Write(std::string(1, name) + ".zarn", MissingLabels(std::string(2, name), 400));
        runs += kZarn + " " + name + ".zarn -l > /dev/null & ";
    }
    RunCommand(dir.Path(), "(" + runs + "wait)");
    const std::string log = dir.Read("errors.txt");
    ASSERT_EQ(CountOf(log, "Errors for "), names.size());
    for (std::size_t start = 0; start < log.size();) {
        std::size_t next = std::min(log.find("Errors for ", start + 1), log.size());
        const std::string block = log.substr(start, next - start);
        const char name = block[std::string("Errors for ").size()];
        EXPECT_EQ(CountOf(block, "Error on line"), 400u);
        EXPECT_EQ(CountOf(block, "(Undefined term, " + std::string(2, name)), 400u) << "blocks interleaved";
        EXPECT_EQ(block.substr(block.size() - 5), ")\n\n\n\n");
        start = next;
    }
}

TEST(ZarnFiles, ALogThatCannotBeWrittenIsReported) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to stand for a full disk";
    TempDirectory dir;
    dir.Write("bad.zarn", MissingLabels("gone", 1));
    fs::create_symlink("/dev/full", dir.File("errors.txt"));
    CommandResult result = RunCommand(dir.Path(), kZarn + " bad.zarn -l");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("Error writing log file \"errors.txt\": No space left on device\n"), std::string::npos)
        << result.output;
}

TEST(ZarnFiles, InputLargerThanMemoryEndsWithAMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    TempDirectory dir;
    // Each ";" is two tokens (an empty one before it), 32 bytes of tokens per byte of text.
    dir.Write("huge.zarn", std::string(8000000, ';'));
    CommandResult result = RunCommand(dir.Path(), "ulimit -v 200000; " + kZarn + " huge.zarn");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("Out of memory\n"), std::string::npos) << result.output;
}

}  // namespace
