#include "kelc/FileNames.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(FileNames, NamesBelowAFolderAreRelativeToItAndOthersAbsolute) {
    EXPECT_EQ(kelc::NameSeenFrom("/work/bin", "/work/bin/arm.kel"), "arm.kel");
    EXPECT_EQ(kelc::NameSeenFrom("/work/bin/", "/work/bin/sub/../sub/arm.kel"), "sub/arm.kel");
    EXPECT_EQ(kelc::NameSeenFrom("/work/bin", "/work/units/arm.kel"), "/work/units/arm.kel");
    EXPECT_EQ(kelc::NameSeenFrom("/work/bin", "/work/binaries/arm.kel"), "/work/binaries/arm.kel");
}

TEST(FileNames, UserNamesAreTakenFromTheCurrentDirectory) {
    std::string current = std::filesystem::current_path().string();
    EXPECT_EQ(kelc::UserFileName("units/../arm.kel"), "arm.kel");
    EXPECT_EQ(kelc::UserFileName(current + "/units/arm.kel"), "units/arm.kel");
    EXPECT_EQ(kelc::UserDirectoryName("."), "./");
    EXPECT_EQ(kelc::UserDirectoryName(current + "/inc"), "inc/");
    EXPECT_EQ(kelc::UserDirectoryName("/"), "/");
}

TEST(FileNames, RelativeNamesInAFolder) {
    EXPECT_EQ(kelc::InDirectory("/opt/kel/bin/", "inc"), "/opt/kel/bin/inc");
    EXPECT_EQ(kelc::InDirectory("/opt/kel/bin", "inc"), "/opt/kel/bin/inc");
    EXPECT_EQ(kelc::InDirectory("/opt/kel/bin/", "/usr/inc"), "/usr/inc");
}

}  // namespace
