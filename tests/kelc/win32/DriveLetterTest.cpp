// What kelc does with the names of a Windows file system: drive letters, both slashes, and
// directory names that match without regard to case.
#include "kelc/BuildFile.h"
#include "kelc/FileHandling.h"
#include "kelc/KelcProgram.h"
#include "kelc/Settings.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(DriveLetters, ANameOnTheCurrentDriveBecomesRelativeWhateverItsCaseAndSlashes) {
    EXPECT_EQ(kelc::RelativeToDirectory("C:\\work\\units\\arm.kel", "C:\\work\\bin"), "..\\units\\arm.kel");
    EXPECT_EQ(kelc::RelativeToDirectory("c:/WORK/Bin/arm.kel", "C:\\work\\bin"), "arm.kel");
    EXPECT_EQ(kelc::RelativeToDirectory("C:\\work\\units\\arm.kel", "C:\\"), "work\\units\\arm.kel");
}

TEST(DriveLetters, ANameOnAnotherDriveOrWithoutOneStaysAsItIs) {
    EXPECT_EQ(kelc::RelativeToDirectory("D:\\units\\arm.kel", "C:\\work\\bin"), "D:\\units\\arm.kel");
    EXPECT_EQ(kelc::RelativeToDirectory("\\units\\arm.kel", "C:\\work\\bin"), "\\units\\arm.kel");
    EXPECT_EQ(kelc::RelativeToDirectory("units/arm.kel", "C:\\work\\bin"), "units/arm.kel");
}

TEST(DriveLetters, DerivedNamesTakeTheExtensionAfterEitherSlash) {
    EXPECT_EQ(kelc::DeriveName("C:\\units.v2\\arm", ".zarn"), "C:\\units.v2\\arm.zarn");
    EXPECT_EQ(kelc::DeriveName("C:/units.v2/arm.kel", ".cob"), "C:/units.v2/arm.cob");
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
