#pragma once
#include "tests/support/TempDirectory.h"

#include <string>
#include <vector>

// A temporary folder from which the Windows programs run under wine, as a user runs them from a
// console. Wine shows the Linux root as drive Z:, so every Linux path has a Windows name.
class WineFolder : public TempDirectory {
public:
    // Copies the named programs of the Windows build (such as "kelc.exe") into `subfolder`.
    explicit WineFolder(const std::vector<std::string>& programs = {"kelc.exe", "zarn.exe"},
                        const std::string& subfolder = "");

    // The Windows name of a file in the folder: "Z:\tmp\kel-test-1\arm.kel".
    std::string WindowsPath(const std::string& name) const;

    // Runs a Windows program under wine with its arguments, as a shell command line such as
    // "kelc.exe arm.kel", from `from` (the folder when empty); standard input is empty. The
    // output comes with its CR LF line ends as LF.
    CommandResult Run(const std::string& commandLine, const std::string& from = "") const;
};

// A path of the Windows build: "kelc.exe" gives the Linux path of the built kelc.exe.
std::string WindowsProgram(const std::string& name);
