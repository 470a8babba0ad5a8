#include "tests/windows/WineFolder.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

WineFolder::WineFolder(const std::vector<std::string>& programs, const std::string& subfolder) {
    if (!subfolder.empty()) fs::create_directories(File(subfolder));
    for (const std::string& program : programs)
        fs::copy_file(WindowsProgram(program), File(subfolder.empty() ? program : subfolder + "/" + program));
}

std::string WineFolder::WindowsPath(const std::string& name) const {
    std::string path = "Z:" + File(name);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

CommandResult WineFolder::Run(const std::string& commandLine, const std::string& from) const {
    CommandResult result = RunCommand(from.empty() ? Path() : from, "'" WINE_RUNNER "' " + commandLine);
    std::string& output = result.output;
    std::string lines;
    for (std::size_t i = 0; i < output.size(); ++i)
        if (output[i] != '\r' || i + 1 == output.size() || output[i + 1] != '\n') lines += output[i];
    output = lines;
    return result;
}

std::string WindowsProgram(const std::string& name) { return KEL_WINDOWS_BIN "/" + name; }
