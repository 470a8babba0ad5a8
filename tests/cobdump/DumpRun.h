#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The COB image of an assembly text that must assemble (without the optimizer).
std::string CobOf(const std::string& text);

std::int32_t WordAt(const std::string& bytes, std::size_t offset);
void SetWord(std::string& bytes, std::size_t offset, std::int32_t value);

// cobdump run in-process on the bytes, written to a temporary file.
struct DumpRun {
    int status = -1;
    std::string out;
    std::string errors;
};
DumpRun RunOnBytes(const std::string& bytes, const std::vector<std::string>& flags = {});

// What -S writes for the bytes, straight from the writer (without the reassembly check).
std::string AssemblyOf(const std::string& bytes);
