#pragma once
#include "platform/IniFile.h"

#include <string>

namespace kelc {

// The assembler's program name when the settings do not name one.
std::string DefaultAssemblerExeName();

// The settings of the settings file's section "Settings", with their defaults.
struct TSettings {
    std::string IncludePaths;
    std::string SearchPaths;
    bool EnableZARNExtentions = true;
    std::string AssemblerExeName = DefaultAssemblerExeName();
    std::string AssemblerParams = "-l -o0 -t0";
    std::string AssemblerOutputFile;
    bool CompileAndDoNotAssemble = false;
    bool PauseOnException = true;
    bool PauseAtEnd = false;
    bool AutoEmitLastRet = true;
    bool MirroxCompatibility = true;
};

// The keys the file sets, over `base` (the defaults, or the values of a file read before).
TSettings LoadSettings(const platform::IniFile& file, const TSettings& base = TSettings());

// Writes the nine keys that a run may change back (never the two path lists); raises
// std::runtime_error "Unable to write to <path>" on failure.
void SaveSettings(const platform::IniFile& file, const std::string& path, const TSettings& settings);

}  // namespace kelc
