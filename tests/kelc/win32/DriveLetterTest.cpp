// What kelc does with the names of a Windows file system: drive letters, both slashes, and
// directory names that match without regard to case.
#include "kelc/BuildFile.h"
#include "kelc/FileHandling.h"
#include "kelc/FileNames.h"
#include "kelc/Settings.h"
#include "platform/Paths.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(DriveLetters, ANameBelowTheFolderBecomesRelativeWhateverItsSlashes) {
    EXPECT_EQ(kelc::NameSeenFrom("C:\\work\\bin", "C:\\work\\bin\\units\\arm.kel"), "units\\arm.kel");
    EXPECT_EQ(kelc::NameSeenFrom("C:\\work\\bin", "C:/work/bin/arm.kel"), "arm.kel");
    EXPECT_EQ(kelc::NameSeenFrom("C:\\work\\bin", "c:/WORK/Bin/arm.kel"), "arm.kel");
}

TEST(DriveLetters, ANameOnAnotherDriveStaysAsItIs) {
    EXPECT_EQ(kelc::NameSeenFrom("C:\\work\\bin", "D:\\units\\arm.kel"), "D:\\units\\arm.kel");
    EXPECT_EQ(platform::DirectoryOf("D:/units\\arm.kel"), "D:/units\\");
    EXPECT_EQ(platform::FileNameOf("D:\\units/arm.kel"), "arm.kel");
}

TEST(DriveLetters, DerivedNamesTakeTheExtensionAfterEitherSlash) {
    EXPECT_EQ(platform::ReplaceExtension("C:\\units.v2\\arm", ".zarn"), "C:\\units.v2\\arm.zarn");
    EXPECT_EQ(platform::ReplaceExtension("C:/units.v2/arm.kel", ".cob"), "C:/units.v2/arm.cob");
}

TEST(DriveLetters, SearchDirectoriesMayEndInEitherSlash) {
    TempDirectory temp;
    temp.Write("x.kh", "");
    std::string backslashed = temp.Path();
    std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
    EXPECT_EQ(kelc::FindFile("x.kh", {backslashed}, {}), backslashed + "\\x.kh");
    EXPECT_EQ(kelc::FindFile("x.kh", {backslashed + "\\"}, {}), backslashed + "\\x.kh");
    EXPECT_EQ(kelc::FindFile("x.kh", {temp.Path() + "/"}, {}), temp.Path() + "/x.kh");
}

TEST(DriveLetters, TheAssemblerIsZarnExeByDefault) { EXPECT_EQ(kelc::DefaultAssemblerExeName(), "ZARN.exe"); }

}  // namespace
