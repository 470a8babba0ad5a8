#pragma once
#include "tests/support/TempDirectory.h"

#include <filesystem>

// A temporary program directory holding copies of kelc and zarn, so kelc finds its settings
// there and starts that zarn.
class ProgramDirectory : public TempDirectory {
public:
    ProgramDirectory() {
        std::filesystem::copy_file(KELC_EXECUTABLE, File("kelc"));
        std::filesystem::copy_file(ZARN_EXECUTABLE, File("zarn"));
    }
    // `environment` is put before the command, such as "KELC_NO_PAUSE=1".
    CommandResult Kelc(const std::string& arguments, const std::string& from = "",
                       const std::string& environment = "") const {
        return RunCommand(from.empty() ? Path() : from, environment + " '" + File("kelc") + "' " + arguments);
    }
};
