#pragma once
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

// The toolchain installed with `cmake --install` into `prefix` below a fresh directory.
class Staging : public TempDirectory {
public:
    Staging() {
        CommandResult result = RunCommand(Path(), "'" CMAKE_EXECUTABLE "' --install '" KEL_BINARY_DIR "' --prefix prefix");
        EXPECT_EQ(result.status, 0) << result.output;
    }
    std::string Prefix() const { return File("prefix"); }
};

// Whether a program is found along PATH.
inline bool Available(const std::string& program) {
    TempDirectory scratch;  // each command needs a directory of its own for its output
    return RunCommand(scratch.Path(), "command -v " + program + " >/dev/null").status == 0;
}
