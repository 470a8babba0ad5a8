#include "platform/FileLock.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// Whether another process could take the lock right now.
bool OthersCanLock(const TempDirectory& dir, const std::string& name) {
    return RunCommand(dir.Path(), "flock -n " + name + " true").status == 0;
}

TEST(FileLock, ExcludesOtherProcessesUntilReleased) {
    TempDirectory dir;
    {
        platform::FileLock lock(dir.File("kelc.lock"));
        EXPECT_TRUE(lock.Held());
        EXPECT_FALSE(OthersCanLock(dir, "kelc.lock"));
    }
    EXPECT_TRUE(OthersCanLock(dir, "kelc.lock"));
}

TEST(FileLock, ALockFileThatCannotBeWrittenIsLockedThroughReading) {
    TempDirectory dir;
    dir.Write("read-only.lock", "");
    fs::permissions(dir.File("read-only.lock"), fs::perms::owner_read);
    fs::create_directory(dir.File("folder.lock"));
    for (const char* name : {"read-only.lock", "folder.lock"}) {
        platform::FileLock lock(dir.File(name));
        EXPECT_TRUE(lock.Held()) << name << ": " << lock.Reason();
        EXPECT_FALSE(OthersCanLock(dir, name)) << name;
    }
}

TEST(FileLock, ALockThatCannotBeHadSaysWhy) {
    TempDirectory dir;
    fs::create_symlink("no/such/folder/kelc.lock", dir.File("kelc.lock"));
    platform::FileLock lock(dir.File("kelc.lock"));
    EXPECT_FALSE(lock.Held());
    EXPECT_EQ(lock.Reason(), "No such file or directory");
}

}  // namespace
