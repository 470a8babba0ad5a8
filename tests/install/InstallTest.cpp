// The toolchain as a user meets it after `cmake --install` or from a package.
#include "tests/install/Staging.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

TEST(Install, ProgramsManPagesDocumentationAndTheCMakePackageLandInTheirPlaces) {
    Staging stage;
    for (const char* file : {"bin/kelc", "bin/zarn", "bin/cobdump", "bin/cobrun", "share/man/man1/kelc.1",
                             "share/man/man1/zarn.1", "share/man/man1/cobdump.1", "share/man/man1/cobrun.1",
                             "share/doc/kel_toolchain/README.md",
                             "share/doc/kel_toolchain/examples/unit.kel", "share/doc/kel_toolchain/examples/mod/CMakeLists.txt",
                             "share/cmake/KEL/KELConfig.cmake", "share/cmake/KEL/KELScripts.cmake"})
        EXPECT_TRUE(fs::exists(stage.Prefix() + "/" + file)) << file;
    CommandResult version = RunCommand(
        stage.Path(), "(prefix/bin/zarn --version && prefix/bin/cobdump --version && prefix/bin/cobrun --version)");
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.output.find("cobdump "), std::string::npos);
    EXPECT_NE(version.output.find("cobrun "), std::string::npos);
}

TEST(Install, ManPagesRenderWithoutWarnings) {
    if (!Available("groff")) GTEST_SKIP() << "groff is not installed (scripts/install-dependencies installs it)";
    TempDirectory scratch;
    for (const char* page : {"kelc.1", "zarn.1", "cobdump.1", "cobrun.1"}) {
        std::string path = std::string(KEL_SOURCE_DIR) + "/man/" + page;
        CommandResult result = RunCommand(scratch.Path(), "groff -man -Tutf8 -ww -z '" + path + "'");
        EXPECT_EQ(result.status, 0) << page;
        EXPECT_EQ(result.output, "") << page;
        CommandResult text = RunCommand(scratch.Path(), "groff -man -Tutf8 -P-cbou '" + path + "'");
        EXPECT_NE(text.output.find("EXIT STATUS"), std::string::npos) << page;
    }
}

TEST(Install, CPackMakesADebianPackageAndATarball) {
    TempDirectory out;
    CommandResult result = RunCommand(out.Path(), "'" CPACK_EXECUTABLE "' --config '" KEL_BINARY_DIR "/CPackConfig.cmake' -B .");
    ASSERT_EQ(result.status, 0) << result.output;
    std::string deb, tarball;
    for (const fs::directory_entry& entry : fs::directory_iterator(out.Path())) {
        std::string name = entry.path().filename().string();
        if (name.size() > 4 && name.substr(name.size() - 4) == ".deb") deb = name;
        if (name.size() > 7 && name.substr(name.size() - 7) == ".tar.gz") tarball = name;
    }
    ASSERT_FALSE(deb.empty());
    ASSERT_FALSE(tarball.empty());
    EXPECT_NE(RunCommand(out.Path(), "tar tzf '" + tarball + "'").output.find("/bin/kelc\n"), std::string::npos);
    if (Available("dpkg-deb")) {
        CommandResult contents = RunCommand(out.Path(), "dpkg-deb -c '" + deb + "'");
        EXPECT_NE(contents.output.find("./usr/bin/kelc\n"), std::string::npos) << contents.output;
        EXPECT_NE(contents.output.find("./usr/share/man/man1/kelc.1"), std::string::npos);
    }
}

// A user who cannot write the installed program folder: root installs into a prefix of its
// own and runs kelc as a system user created for the test; anyone else makes the prefix
// read-only and runs kelc as themselves.
class UnprivilegedRun : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = RunCommand(stage_.Path(), "test \"$(id -u)\" = 0").status == 0;
        if (root_) {
            if (!Available("setpriv")) GTEST_SKIP() << "running as root without setpriv: cannot act as another user";
            CommandResult user = RunCommand(stage_.Path(), "id -u kel-test >/dev/null 2>&1 || useradd --system --no-create-home "
                                                 "--shell /usr/sbin/nologin kel-test");
            if (user.status != 0) GTEST_SKIP() << "running as root and useradd failed: " << user.output;
        }
        fs::create_directory(stage_.File("home"));
        if (root_) RunCommand(stage_.Path(), "chmod 755 . && chown kel-test: home");
    }
    void TearDown() override { RunCommand(stage_.Path(), "chmod -R u+w prefix"); }

    // `environment` adds variables, such as "XDG_CONFIG_HOME=/somewhere".
    CommandResult KelcAsUser(const std::string& arguments, const std::string& environment = "") {
        RunCommand(stage_.Path(), "chmod -R a-w prefix");
        std::string user = root_ ? "setpriv --reuid=kel-test --regid=kel-test --clear-groups " : "";
        return RunCommand(stage_.File("home"), user + "env -i HOME='" + stage_.File("home") + "' PATH=/usr/bin:/bin " +
                                                   environment + " '" + stage_.Prefix() + "/bin/kelc' " + arguments);
    }

    Staging stage_;
    bool root_ = false;
};

TEST_F(UnprivilegedRun, SettingsLockAndHandOverMoveToTheUsersFolders) {
    stage_.Write("prefix/bin/kelc.ini", "[Settings]\nAutoEmitLastRet=0\nPauseOnException=0\n");
    stage_.Write("home/arm.kel", "piece base;\nGo()\n{\n  sleep 1;\n  return 0;\n}\n");
    stage_.Write("home/bad.kel", "piece base;\nGo()\n{\n  __zarn { bogus; }\n}\n");
    CommandResult result = KelcAsUser("arm.kel bad.kel");
    EXPECT_EQ(result.status, 1) << result.output;  // bad.kel fails in the assembler, as it should
    EXPECT_EQ(result.output.find("Unable to write"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Source: arm.kel\n"), std::string::npos) << result.output;
    EXPECT_TRUE(stage_.Exists("home/arm.cob"));
    EXPECT_NE(stage_.Read("home/bad_ZARN_error.txt").find("bogus"), std::string::npos);  // handed over via ~/.cache/kelc

    std::string userSettings = stage_.Read("home/.config/kelc/kelc.ini");
    EXPECT_NE(userSettings.find("AutoEmitLastRet=0\r\n"), std::string::npos) << userSettings;  // read over kelc.ini
    EXPECT_NE(userSettings.find("MirroxCompatibility=1\r\n"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(stage_.File("home/.cache/kelc")));
    EXPECT_EQ(stage_.Read("prefix/bin/kelc.ini"), "[Settings]\nAutoEmitLastRet=0\nPauseOnException=0\n");
    EXPECT_FALSE(stage_.Exists("prefix/bin/kelc.lock"));
    EXPECT_FALSE(stage_.Exists("prefix/bin/errors.txt"));

    stage_.Write("home/.config/kelc/kelc.ini", "[Settings]\nCompileAndDoNotAssemble=1\n");
    RunCommand(stage_.Path(), root_ ? "chown -R kel-test: home" : "true");
    EXPECT_EQ(KelcAsUser("-q arm.kel").status, 0);
    userSettings = stage_.Read("home/.config/kelc/kelc.ini");
    EXPECT_EQ(userSettings.rfind("[Settings]\r\nCompileAndDoNotAssemble=1\r\n", 0), 0u) << userSettings;
    EXPECT_NE(userSettings.find("PauseOnException=0\r\n"), std::string::npos);
}

TEST_F(UnprivilegedRun, TheXdgFoldersAreHonoured) {
    stage_.Write("home/arm.kel", "piece base;\n");
    CommandResult result = KelcAsUser("-q arm.kel", "XDG_CONFIG_HOME='" + stage_.File("home/cfg") +
                                                        "' XDG_RUNTIME_DIR='" + stage_.File("home/run") + "'");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(stage_.Exists("home/cfg/kelc/kelc.ini"));
    EXPECT_TRUE(stage_.Exists("home/run/kelc/kelc.lock"));
    EXPECT_FALSE(stage_.Exists("home/.config"));
}

TEST_F(UnprivilegedRun, SettingsThatCannotBeWrittenAreOnlyAWarning) {
    stage_.Write("home/arm.kel", "piece base;\n");
    stage_.Write("home/.config", "a file where the settings folder should be");
    RunCommand(stage_.Path(), root_ ? "chown -R kel-test: home" : "true");
    CommandResult result = KelcAsUser("--no-pause arm.kel");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(CountOf(result.output, "Warning: Unable to write to " + stage_.File("home/.config/kelc/kelc.ini")), 1u)
        << result.output;
    EXPECT_TRUE(stage_.Exists("home/arm.cob"));
}

}  // namespace
