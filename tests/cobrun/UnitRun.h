#pragma once
#include "cobrun/Run.h"

#include <string>
#include <vector>

// Builds KEL source or assembly text in memory and runs it through cobrun's machine.
struct KelSettings {
    bool mirroxCompatibility = true;
    bool extensions = true;
    bool optimize = false;  // the assembler's two optimizer passes
};

// The COB image, or an empty string with the compiler's or assembler's messages in `problems`.
std::string CobOfKel(const std::string& source, const KelSettings& settings, std::string& problems);
std::string CobOfZarn(const std::string& text, std::string& problems);

struct UnitRun {
    std::string problems;           // why it did not build or load
    cobrun::RunSummary summary;
    std::vector<std::string> lines;  // "Script: text" of every event but the trace and the rests
};

// Runs Create, then `starts`.
UnitRun RunCob(const std::string& cob, std::vector<cobrun::ScriptStart> starts = {}, cobrun::RunOptions options = {});
UnitRun RunKel(const std::string& source, const KelSettings& settings = {}, std::vector<cobrun::ScriptStart> starts = {});
