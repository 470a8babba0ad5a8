#include "kelc/Settings.h"

#include <cstdlib>
#include <stdexcept>

namespace kelc {
namespace {

const char* const kSection = "Settings";

// Decimal, or hexadecimal after "0x" when the value is longer than two characters; anything
// else (a word such as yes, or a number out of range) is no integer.
bool ReadInteger(const std::string& text, long long& value) {
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty()) return false;
    char* end = nullptr;
    value = std::strtoll(digits.c_str(), &end, hex ? 16 : 10);
    return *end == '\0' && value >= -2147483648LL && value <= (hex ? 4294967295LL : 2147483647LL);
}

bool ReadBoolean(const platform::IniFile& file, const char* key, bool fallback) {
    long long value = 0;
    if (!ReadInteger(file.ReadString(kSection, key, ""), value)) return fallback;
    return value != 0;
}

std::string Boolean(bool value) { return value ? "1" : "0"; }

}  // namespace

std::string DefaultAssemblerExeName() { return KEL_DEFAULT_ASSEMBLER; }

TSettings LoadSettings(const platform::IniFile& file, const TSettings& base) {
    TSettings settings = base;
    settings.IncludePaths = file.ReadString(kSection, "IncludePaths", settings.IncludePaths);
    settings.SearchPaths = file.ReadString(kSection, "SearchPaths", settings.SearchPaths);
    settings.EnableZARNExtentions = ReadBoolean(file, "EnableZARNExtentions", settings.EnableZARNExtentions);
    settings.AssemblerExeName = file.ReadString(kSection, "AssemblerExeName", settings.AssemblerExeName);
    settings.AssemblerParams = file.ReadString(kSection, "AssemblerParams", settings.AssemblerParams);
    settings.AssemblerOutputFile = file.ReadString(kSection, "AssemblerOutputFile", settings.AssemblerOutputFile);
    settings.CompileAndDoNotAssemble =
        ReadBoolean(file, "CompileAndDoNotAssemble", settings.CompileAndDoNotAssemble);
    settings.PauseOnException = ReadBoolean(file, "PauseOnException", settings.PauseOnException);
    settings.PauseAtEnd = ReadBoolean(file, "PauseAtEnd", settings.PauseAtEnd);
    settings.AutoEmitLastRet = ReadBoolean(file, "AutoEmitLastRet", settings.AutoEmitLastRet);
    settings.MirroxCompatibility = ReadBoolean(file, "MirroxCompatibility", settings.MirroxCompatibility);
    return settings;
}

void SaveSettings(const platform::IniFile& file, const std::string& path, const TSettings& settings) {
    std::string reason;
    bool written = file.WriteStrings(kSection,
                                     {
                                         {"EnableZARNExtentions", Boolean(settings.EnableZARNExtentions)},
                                         {"AssemblerExeName", settings.AssemblerExeName},
                                         {"AssemblerParams", settings.AssemblerParams},
                                         {"AssemblerOutputFile", settings.AssemblerOutputFile},
                                         {"CompileAndDoNotAssemble", Boolean(settings.CompileAndDoNotAssemble)},
                                         {"PauseOnException", Boolean(settings.PauseOnException)},
                                         {"PauseAtEnd", Boolean(settings.PauseAtEnd)},
                                         {"AutoEmitLastRet", Boolean(settings.AutoEmitLastRet)},
                                         {"MirroxCompatibility", Boolean(settings.MirroxCompatibility)},
                                     },
                                     reason);
    if (!written) throw std::runtime_error("Unable to write to " + path);
}

}  // namespace kelc
