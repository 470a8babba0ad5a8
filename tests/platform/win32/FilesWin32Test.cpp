#include "platform/FileLock.h"
#include "platform/Files.h"
#include "platform/Program.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::size_t EntriesIn(const std::string& directory) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(directory), fs::directory_iterator()));
}

TEST(FilesWin32, ReplacingKeepsTheBytesAndLeavesNoTemporaryFile) {
    TempDirectory dir;
    dir.Write("arm.cob", "older");
    std::string reason;
    ASSERT_TRUE(platform::ReplaceFile(dir.File("arm.cob"), std::string("new\r\n\0bytes\n", 13), reason)) << reason;
    EXPECT_EQ(dir.Read("arm.cob"), std::string("new\r\n\0bytes\n", 13));
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(FilesWin32, AFailedReplacementReportsWhyAndKeepsWhatWasThere) {
    TempDirectory dir;
    fs::create_directory(dir.File("taken"));
    std::string reason;
    EXPECT_FALSE(platform::ReplaceFile(dir.File("taken"), "bytes", reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_TRUE(fs::is_directory(dir.File("taken")));
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_FALSE(platform::ReplaceFile(dir.File("no\\such\\arm.cob"), "bytes", reason));
}

TEST(FilesWin32, ADeviceIsWrittenInPlace) {
    TempDirectory dir;
    const std::string before = platform::CurrentDirectory();
    ASSERT_TRUE(platform::SetCurrentDirectory(dir.Path()));  // where a temporary file would go
    std::string reason;
    EXPECT_TRUE(platform::ReplaceFile("NUL", "bytes", reason)) << reason;
    ASSERT_TRUE(platform::SetCurrentDirectory(before));
    EXPECT_EQ(EntriesIn(dir.Path()), 0u);
}

TEST(FilesWin32, AppendingRemovingAndTellingOneFileFromAnother) {
    TempDirectory dir;
    std::string reason;
    EXPECT_EQ(platform::AppendToFile(dir.File("errors.txt"), "one\n", reason), platform::AppendResult::kAppended);
    EXPECT_EQ(platform::AppendToFile(dir.File("errors.txt"), "two\n", reason), platform::AppendResult::kAppended);
    EXPECT_EQ(dir.Read("errors.txt"), "one\ntwo\n");
    EXPECT_EQ(platform::AppendToFile(dir.File("no\\such\\errors.txt"), "x", reason),
              platform::AppendResult::kNotOpened);

    EXPECT_TRUE(platform::SameFile(dir.File("errors.txt"), dir.Path() + "\\ERRORS.TXT"));
    dir.Write("other.txt", "one\ntwo\n");
    EXPECT_FALSE(platform::SameFile(dir.File("errors.txt"), dir.File("other.txt")));
    EXPECT_FALSE(platform::SameFile(dir.File("errors.txt"), dir.File("missing.txt")));

    EXPECT_TRUE(platform::RemoveFile(dir.File("errors.txt"), reason));
    EXPECT_FALSE(dir.Exists("errors.txt"));
    EXPECT_TRUE(platform::RemoveFile(dir.File("errors.txt"), reason));  // missing counts as removed
    fs::create_directory(dir.File("folder"));
    EXPECT_TRUE(platform::RemoveFile(dir.File("folder"), reason));
    EXPECT_TRUE(fs::is_directory(dir.File("folder")));
}

TEST(FilesWin32, ReadingTakesTheBytesAsTheyAreAndNoDirectories) {
    TempDirectory dir;
    dir.Write("a.kel", "one\r\ntwo\n");
    EXPECT_EQ(platform::ReadFile(dir.File("a.kel")), std::optional<std::string>("one\r\ntwo\n"));
    EXPECT_TRUE(platform::FileExists(dir.Path() + "\\A.KEL"));  // names are case-blind
    EXPECT_FALSE(platform::ReadFile(dir.File("missing")).has_value());
    EXPECT_FALSE(platform::ReadFile(dir.Path()).has_value());
    EXPECT_FALSE(platform::FileExists(dir.Path()));
}

TEST(FilesWin32, ASecondLockWaitsUntilTheFirstIsReleased) {
    TempDirectory dir;
    std::vector<std::string> order;
    std::mutex orderGuard;
    auto note = [&](const char* what) {
        std::lock_guard<std::mutex> hold(orderGuard);
        order.push_back(what);
    };
    std::thread second;
    {
        platform::FileLock first(dir.File("kelc.lock"));
        second = std::thread([&] {
            platform::FileLock lock(dir.File("kelc.lock"));
            note("second");
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));  // room for the second to try
        note("first");
    }
    second.join();
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second"}));
}

}  // namespace
