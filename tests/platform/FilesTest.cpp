// Replacing, appending to and removing real files: links, pipes, modes and directories.
#include "platform/Files.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

bool LeftTemporaries(const TempDirectory& dir) {
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
        if (entry.path().filename().string().find(".tmp") != std::string::npos) return true;
    return false;
}

fs::perms Permissions(const std::string& path) { return fs::status(path).permissions(); }

TEST(ReplaceFile, ARewrittenFileKeepsItsPermissionBits) {
    TempDirectory dir;
    dir.Write("a.cob", "old");
    fs::permissions(dir.File("a.cob"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    std::string reason;
    ASSERT_TRUE(platform::ReplaceFile(dir.File("a.cob"), "new", reason)) << reason;
    EXPECT_EQ(dir.Read("a.cob"), "new");
    EXPECT_EQ(Permissions(dir.File("a.cob")), fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    EXPECT_FALSE(LeftTemporaries(dir));
}

TEST(ReplaceFile, ASymbolicLinkStaysAndTheFileItPointsToIsReplaced) {
    TempDirectory dir;
    fs::create_directory(dir.File("game"));
    dir.Write("game/arm.cob", "old");
    fs::create_symlink("game/arm.cob", dir.File("arm.cob"));  // relative to the link's directory
    fs::create_symlink("arm.cob", dir.File("second-link.cob"));
    std::string reason;
    ASSERT_TRUE(platform::ReplaceFile(dir.File("second-link.cob"), "new", reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(dir.File("arm.cob")));
    EXPECT_TRUE(fs::is_symlink(dir.File("second-link.cob")));
    EXPECT_EQ(dir.Read("game/arm.cob"), "new");

    fs::create_symlink("game/fresh.cob", dir.File("dangling.cob"));
    ASSERT_TRUE(platform::ReplaceFile(dir.File("dangling.cob"), "made", reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(dir.File("dangling.cob")));
    EXPECT_EQ(dir.Read("game/fresh.cob"), "made");

    fs::create_symlink("loop.cob", dir.File("loop.cob"));
    EXPECT_FALSE(platform::ReplaceFile(dir.File("loop.cob"), "x", reason));
    EXPECT_FALSE(LeftTemporaries(dir));
}

TEST(ReplaceFile, APipeIsWrittenInPlaceAndOneWithoutReaderFailsAtOnce) {
    TempDirectory dir;
    ASSERT_EQ(RunCommand(dir.Path(), "mkfifo out.cob").status, 0);
    std::string reason;
    EXPECT_FALSE(platform::ReplaceFile(dir.File("out.cob"), "bytes", reason));
    EXPECT_FALSE(reason.empty());

    std::fstream reader(dir.File("out.cob"), std::ios::in | std::ios::out | std::ios::binary);  // opens without waiting
    ASSERT_TRUE(reader.is_open());
    ASSERT_TRUE(platform::ReplaceFile(dir.File("out.cob"), "bytes", reason)) << reason;
    char received[5] = {};
    reader.read(received, sizeof received);
    EXPECT_EQ(std::string(received, sizeof received), "bytes");
    EXPECT_TRUE(fs::is_fifo(dir.File("out.cob")));
    EXPECT_FALSE(LeftTemporaries(dir));
}

TEST(ReplaceFile, ADirectoryIsNeitherReplacedNorWritten) {
    TempDirectory dir;
    fs::create_directory(dir.File("taken.cob"));
    std::string reason;
    EXPECT_FALSE(platform::ReplaceFile(dir.File("taken.cob"), "x", reason));
    EXPECT_EQ(reason, "Is a directory");
    EXPECT_TRUE(fs::is_directory(dir.File("taken.cob")));
    EXPECT_FALSE(LeftTemporaries(dir));
}

TEST(AppendToFile, AppendsCreatesAndTellsAnOpenFailureFromAWriteFailure) {
    TempDirectory dir;
    std::string reason;
    EXPECT_EQ(platform::AppendToFile(dir.File("log.txt"), "one\n", reason), platform::AppendResult::kAppended);
    EXPECT_EQ(platform::AppendToFile(dir.File("log.txt"), "two\n", reason), platform::AppendResult::kAppended);
    EXPECT_EQ(dir.Read("log.txt"), "one\ntwo\n");
    EXPECT_EQ(platform::AppendToFile(dir.Path(), "x", reason), platform::AppendResult::kNotOpened);
    ASSERT_EQ(RunCommand(dir.Path(), "mkfifo pipe.txt").status, 0);
    EXPECT_EQ(platform::AppendToFile(dir.File("pipe.txt"), "x", reason), platform::AppendResult::kNotOpened);
    if (fs::exists("/dev/full")) {
        EXPECT_EQ(platform::AppendToFile("/dev/full", "x", reason), platform::AppendResult::kNotWritten);
        EXPECT_EQ(reason, "No space left on device");
    }
}

TEST(RemoveFile, RemovesTheRegularFileANameLeadsToAndNothingElse) {
    TempDirectory dir;
    std::string reason;
    EXPECT_TRUE(platform::RemoveFile(dir.File("missing.cob"), reason));
    dir.Write("real.cob", "x");
    fs::create_symlink("real.cob", dir.File("link.cob"));
    EXPECT_TRUE(platform::RemoveFile(dir.File("link.cob"), reason));
    EXPECT_FALSE(dir.Exists("real.cob"));
    EXPECT_TRUE(fs::is_symlink(dir.File("link.cob")));
    ASSERT_EQ(RunCommand(dir.Path(), "mkfifo pipe.cob").status, 0);
    fs::create_directory(dir.File("folder.cob"));
    EXPECT_TRUE(platform::RemoveFile(dir.File("pipe.cob"), reason));
    EXPECT_TRUE(platform::RemoveFile(dir.File("folder.cob"), reason));
    EXPECT_TRUE(fs::is_fifo(dir.File("pipe.cob")));
    EXPECT_TRUE(fs::is_directory(dir.File("folder.cob")));
}

TEST(SameFile, NamesLeadingToOneFile) {
    TempDirectory dir;
    dir.Write("a.kel", "x");
    dir.Write("b.kel", "x");
    fs::create_symlink("a.kel", dir.File("link.kel"));
    fs::create_hard_link(dir.File("a.kel"), dir.File("hard.kel"));
    EXPECT_TRUE(platform::SameFile(dir.File("a.kel"), dir.File("a.kel")));
    EXPECT_TRUE(platform::SameFile(dir.File("a.kel"), dir.File("link.kel")));
    EXPECT_TRUE(platform::SameFile(dir.File("a.kel"), dir.File("hard.kel")));
    EXPECT_FALSE(platform::SameFile(dir.File("a.kel"), dir.File("b.kel")));
    EXPECT_FALSE(platform::SameFile(dir.File("a.kel"), dir.File("missing.kel")));
}

}  // namespace
