#pragma once
#include "tests/support/CobWords.h"

#include <cstdint>
#include <string>
#include <vector>

// The COB image of an assembly text that must assemble (without the optimizer).
std::string CobOf(const std::string& text);


// cobdump run in-process on the bytes, written to a temporary file.
struct DumpRun {
    int status = -1;
    std::string out;
    std::string errors;
};
DumpRun RunOnBytes(const std::string& bytes, const std::vector<std::string>& flags = {});

// What -S writes for the bytes, straight from the writer (without the reassembly check).
std::string AssemblyOf(const std::string& bytes);
