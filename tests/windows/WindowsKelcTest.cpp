// kelc.exe, with zarn.exe beside it, run under wine the way a Windows user runs them.
#include "tests/windows/WineFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

const std::string kDeclarations = "piece base, turret;\nstatic-var busy;\nconst RATE = 2 * 3;\n";
// Compiles cleanly, but the inline assembly names a term zarn does not know.
const std::string kAssemblerError = "piece base;\nGo()\n{\n  __zarn { pushc nowhere; }\n}\n";

bool Contains(const CommandResult& result, const std::string& text) {
    return result.output.find(text) != std::string::npos;
}

TEST(WindowsKelc, WithoutArgumentsPrintsUsageAndTouchesNoSettings) {
    WineFolder dir;
    CommandResult result = dir.Run("kelc.exe");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "Usage: kelc.exe <kel file>\n");
    EXPECT_FALSE(dir.Exists("kelc.ini"));
}

TEST(WindowsKelc, CreatesItsSettingsBesideItselfAndStartsZarnExe) {
    WineFolder dir;
    dir.Write("arm.kel", kDeclarations);
    CommandResult result = dir.Run("kelc.exe arm.kel");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(Contains(result, "Source: arm.kel\nDest: arm.zarn\nPreprocessor Output: arm.prezarn\n"
                                 "ZARN error log: arm_ZARN_error.txt\nAssembling ZARN to COB\n"
                                 "Attempting to invoke ZARN.exe\n"))
        << result.output;
    EXPECT_TRUE(Contains(result, "Done!\n"));
    EXPECT_TRUE(dir.Exists("arm.cob"));
    EXPECT_EQ(dir.Read("kelc.ini"),
              "[Settings]\r\nEnableZARNExtentions=1\r\nAssemblerExeName=ZARN.exe\r\nAssemblerParams=-l -o0 -t0\r\n"
              "AssemblerOutputFile=\r\nCompileAndDoNotAssemble=0\r\nPauseOnException=1\r\nPauseAtEnd=0\r\n"
              "AutoEmitLastRet=1\r\nMirroxCompatibility=1\r\n");
    EXPECT_EQ(dir.Read("arm.zarn").substr(0, 56), "piece base, turret;\r\nstatic-var busy;\r\n//const RATE = 6;");
}

TEST(WindowsKelc, ScriptsAreFoundAlongSearchPathsWithDriveLettersAndEitherSlash) {
    WineFolder dir;
    fs::create_directories(dir.File("project/units"));
    fs::create_directories(dir.File("project/include"));
    dir.Write("project/units/arm.kel", "#include \"common.kelh\"\nstatic-var busy;\n");
    dir.Write("project/units/leg.kel", "#include \"common.kelh\"\nstatic-var step;\n");
    dir.Write("project/include/common.kelh", "piece base;\n");
    // A drive letter with backslashes for the scripts, forward slashes for the include files.
    dir.Write("kelc.ini", "[Settings]\r\nSearchPaths=" + dir.WindowsPath("project\\units") +
                              "\r\nIncludePaths=Z:" + dir.File("project/include/") + "\r\n");
    CommandResult result = dir.Run("kelc.exe arm.kel leg.kel");
    EXPECT_EQ(result.status, 0) << result.output;
    // Found on the program's own drive, the names are written relative to its folder.
    EXPECT_TRUE(Contains(result, "Source: project\\units\\arm.kel\n")) << result.output;
    EXPECT_NE(dir.Read("project/units/arm.zarn").find("piece base;\r\nstatic-var busy;\r\n"), std::string::npos);
    EXPECT_TRUE(dir.Exists("project/units/arm.cob"));
    EXPECT_TRUE(dir.Exists("project/units/leg.cob"));
}

TEST(WindowsKelc, FolderNamesWithBlanksReachZarnWhole) {
    WineFolder dir({"kelc.exe", "zarn.exe"}, "my tools");
    fs::create_directory(dir.File("my units"));
    dir.Write("my units/arm.kel", kDeclarations);
    CommandResult result = dir.Run("'" + dir.WindowsPath("my tools\\kelc.exe") + "' '" +
                                   dir.WindowsPath("my units\\arm.kel") + "'");
    EXPECT_EQ(result.status, 0) << result.output;
    // kelc names the script as seen from where it was started, zarn (in kelc's folder) in full.
    EXPECT_TRUE(Contains(result, "Source: my units\\arm.kel\n")) << result.output;
    EXPECT_TRUE(Contains(result, "ZARN will output to \"" + dir.WindowsPath("my units\\arm.cob") + "\"\n"))
        << result.output;
    EXPECT_TRUE(dir.Exists("my units/arm.cob"));
    EXPECT_TRUE(dir.Exists("my tools/kelc.ini"));
}

TEST(WindowsKelc, ZarnsErrorLogIsHandedOverBesideTheScript) {
    WineFolder dir;
    fs::create_directory(dir.File("units"));
    dir.Write("units/arm.kel", kAssemblerError);
    CommandResult result = dir.Run("kelc.exe 'units\\arm.kel'");
    EXPECT_EQ(result.status, 1) << result.output;
    EXPECT_TRUE(Contains(result, ": 0x21 (Undefined term, nowhere)\n")) << result.output;
    EXPECT_TRUE(Contains(result, "Finished Compiling!\n"));
    EXPECT_FALSE(dir.Exists("errors.txt"));
    std::string log = dir.Read("units/arm_ZARN_error.txt");
    EXPECT_EQ(log.rfind("Errors for units\\arm.zarn, ", 0), 0u) << log;
    EXPECT_NE(log.find("(Undefined term, nowhere)\r\n"), std::string::npos) << log;
    EXPECT_FALSE(dir.Exists("units/arm.cob"));
}

TEST(WindowsKelc, ExitStatusesAndMessagesOfFailedBuilds) {
    WineFolder dir;
    dir.Write("kelc.ini", "[Settings]\r\nPauseOnException=0\r\n");
    dir.Write("bad.kel", "const A = nothing;\n");
    CommandResult errors = dir.Run("kelc.exe bad.kel missing.kel");
    EXPECT_EQ(errors.status, 1);
    EXPECT_TRUE(Contains(errors, "Errors in source\n[Error] \"bad.kel\"(1:11) : Undeclaired identifier, nothing\n"))
        << errors.output;
    EXPECT_TRUE(Contains(errors, "\nFile missing.kel does not exist\n")) << errors.output;

    dir.Write("kelc.ini", "[Settings]\r\nAssemblerExeName=nowhere\\zarn.exe\r\nPauseOnException=0\r\n");
    dir.Write("arm.kel", kDeclarations);
    CommandResult missing = dir.Run("kelc.exe arm.kel");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(Contains(missing, "Attempting to invoke nowhere\\zarn.exe\nUnable to invoke nowhere\\zarn.exe\nReason: "))
        << missing.output;
    EXPECT_TRUE(Contains(missing, "\nFinished Compiling!\n"));
}

TEST(WindowsKelc, PausesEndAtTheEndOfInput) {
    WineFolder dir;
    dir.Write("kelc.ini", "[Settings]\r\nPauseAtEnd=1\r\nPauseOnException=1\r\n");
    CommandResult result = dir.Run("kelc.exe missing.kel");  // returns only because the pause ends
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(Contains(result, "File missing.kel does not exist\n"));
}

TEST(WindowsKelc, CarriageReturnLineEndsBehaveAsLineFeeds) {
    const std::string script = "piece base;\nGo()\n{\n  turn base to x-axis <45> speed <9>;\n  sleep nothing;\n}\n";
    std::string crlf;
    for (char c : script) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    WineFolder dir;
    dir.Write("kelc.ini", "[Settings]\r\nPauseOnException=0\r\n");
    dir.Write("lf.kel", script);
    dir.Write("crlf.kel", crlf);
    CommandResult lf = dir.Run("kelc.exe lf.kel");
    CommandResult cr = dir.Run("kelc.exe crlf.kel");
    EXPECT_TRUE(Contains(lf, "[Error] \"lf.kel\"(5:9) : Undeclaired identifier, nothing\n")) << lf.output;
    EXPECT_TRUE(Contains(cr, "[Error] \"crlf.kel\"(5:9) : Undeclaired identifier, nothing\n")) << cr.output;

    const std::string fixed = "piece base;\r\nGo()\r\n{\r\n  turn base to x-axis <45> speed <9>;\r\n}\r\n";
    dir.Write("crlf.kel", fixed);
    dir.Write("lf.kel", "piece base;\nGo()\n{\n  turn base to x-axis <45> speed <9>;\n}\n");
    EXPECT_EQ(dir.Run("kelc.exe crlf.kel").status, 0);
    EXPECT_EQ(dir.Run("kelc.exe lf.kel").status, 0);
    EXPECT_EQ(dir.Read("crlf.cob"), dir.Read("lf.cob"));
    EXPECT_FALSE(dir.Read("crlf.cob").empty());
}

}  // namespace
