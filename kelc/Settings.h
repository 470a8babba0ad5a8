#pragma once
#include "platform/IniFile.h"

#include <string>

namespace kelc {

// The settings of the settings file's section "Settings", with their defaults.
struct TSettings {
    std::string IncludePaths;
    std::string SearchPaths;
    bool EnableZARNExtentions = true;
    std::string AssemblerExeName;
    std::string AssemblerParams = "-l -o0 -t0";
    std::string AssemblerOutputFile;
    bool CompileAndDoNotAssemble = false;
    bool PauseOnException = true;
    bool PauseAtEnd = false;
    bool AutoEmitLastRet = true;
    bool MirroxCompatibility = true;
};

// The assembler's program name when the settings do not name one.
std::string DefaultAssemblerExeName();

TSettings LoadSettings(const platform::IniFile& file);

// Writes the nine keys that a run may change back (never the two path lists); raises
// std::runtime_error "Unable to write to <path>" on failure.
void SaveSettings(const platform::IniFile& file, const std::string& path, const TSettings& settings);

}  // namespace kelc
