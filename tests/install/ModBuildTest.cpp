// examples/mod built the way a mod author builds it: find_package(KEL) against an installed
// toolchain, kel_add_scripts, and a rebuild after an include file changed.
#include "tests/install/Staging.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::string Generator() {
    return Available("ninja") ? "Ninja" : "Unix Makefiles";
}

TEST(ModBuild, OnlyTheScriptsThatIncludeAnEditedFileAreRebuilt) {
    Staging stage;
    fs::copy(std::string(KEL_SOURCE_DIR) + "/examples/mod", stage.File("mod"), fs::copy_options::recursive);
    CommandResult configure = RunCommand(stage.Path(), "'" CMAKE_EXECUTABLE "' -S mod -B build -G '" + Generator() +
                                                           "' -DCMAKE_PREFIX_PATH='" + stage.Prefix() + "'");
    ASSERT_EQ(configure.status, 0) << configure.output;
    const std::string build = "'" CMAKE_EXECUTABLE "' --build build -j2";

    CommandResult first = RunCommand(stage.Path(), build);
    ASSERT_EQ(first.status, 0) << first.output;
    EXPECT_EQ(CountOf(first.output, "Building KEL script"), 3u) << first.output;
    for (const char* cob : {"build/scripts/tank.cob", "build/scripts/jeep.cob", "build/scripts/tower.cob"})
        EXPECT_TRUE(stage.Exists(cob)) << cob;

    fs::last_write_time(stage.File("mod/include/vehicle.kelh"), fs::file_time_type::clock::now());
    CommandResult second = RunCommand(stage.Path(), build);
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_EQ(CountOf(second.output, "Building KEL script"), 2u) << second.output;
    EXPECT_NE(second.output.find("Building KEL script tank.kel"), std::string::npos);
    EXPECT_NE(second.output.find("Building KEL script jeep.kel"), std::string::npos);

    CommandResult third = RunCommand(stage.Path(), build);
    EXPECT_EQ(CountOf(third.output, "Building KEL script"), 0u) << third.output;
}

TEST(ModBuild, AScriptErrorFailsTheBuildWithItsSourceLine) {
    Staging stage;
    fs::copy(std::string(KEL_SOURCE_DIR) + "/examples/mod", stage.File("mod"), fs::copy_options::recursive);
    stage.Write("mod/scripts/tower.kel", "piece base, top;\nCreate()\n{\n  spin top around y-axis speed nothing;\n}\n");
    RunCommand(stage.Path(), "'" CMAKE_EXECUTABLE "' -S mod -B build -G '" + Generator() + "' -DCMAKE_PREFIX_PATH='" +
                                 stage.Prefix() + "'");
    CommandResult result = RunCommand(stage.Path(), "'" CMAKE_EXECUTABLE "' --build build");
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("mod/scripts/tower.kel:4:"), std::string::npos) << result.output;
}

}  // namespace
