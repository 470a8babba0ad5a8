#include "kelc/KelcProgram.h"

#include "kelc/BuildFile.h"
#include "kelc/FileHandling.h"
#include "kelc/Settings.h"
#include "platform/FileLock.h"
#include "platform/Files.h"
#include "platform/Program.h"

#include <filesystem>
#include <new>
#include <stdexcept>

namespace kelc {
namespace {

std::string DirectoryOf(const std::string& path) {
    std::size_t delimiter = path.find_last_of(platform::kPathDelimiter);
    return delimiter == std::string::npos ? std::string() : path.substr(0, delimiter + 1);
}

std::string FileNameOf(const std::string& path) { return path.substr(DirectoryOf(path).size()); }

std::vector<std::string> Directories(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(platform::kPathDelimiter, start);
        if (end == std::string::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

class KelcRun {
public:
    KelcRun(platform::Console& console, std::istream& input) : console_(console), input_(input) {}

    int Run(const std::vector<std::string>& args) {
        std::string programPath = platform::ProgramPath();
        if (args.empty()) {
            Print("Usage: " + FileNameOf(programPath) + " <kel file>");
            return 1;
        }
        std::string startDirectory = platform::CurrentDirectory();
        std::string programDirectory = DirectoryOf(programPath);
        platform::SetCurrentDirectory(programDirectory);  // a failure leaves the caller's directory
        bool allBuilt = false;
        try {
            std::string iniPath = DeriveName(programPath, ".ini");
            platform::IniFile iniFile(iniPath);
            {
                platform::FileLock lock(kLockFileName);  // two runs must not interleave their rewrites
                SayWhenUnguarded(lock, console_);
                settings_ = LoadSettings(iniFile);
                SaveSettings(iniFile, iniPath, settings_);
            }
            FillPathLists(programDirectory, startDirectory);
            allBuilt = BuildAll(args);
        } catch (const std::bad_alloc&) {
            throw;  // running out of memory ends the program, not only this step
        } catch (const std::exception& error) {
            ReportError(error.what());
        }
        if (settings_.PauseAtEnd) Pause();
        return allBuilt ? 0 : 1;
    }

private:
    void Print(const std::string& line) { console_.Print(line + "\n"); }

    void Pause() {
        std::string ignored;
        std::getline(input_, ignored);
    }

    void ReportError(const std::string& message) {
        Print(message);
        if (settings_.PauseOnException && !settings_.PauseAtEnd) Pause();
    }

    void FillPathLists(const std::string& programDirectory, const std::string& startDirectory) {
        IncludePathList.clear();
        SearchPathList.clear();
        SplitPathList(settings_.IncludePaths, IncludePathList);
        SplitPathList(settings_.SearchPaths, SearchPathList);
        SearchPathList.push_back(programDirectory);
        // Last, so that `kelc arm.kel` run from a project folder finds arm.kel there.
        if (!startDirectory.empty()) SearchPathList.push_back(startDirectory + platform::kPathDelimiter);
    }

    bool BuildAll(const std::vector<std::string>& args) {
        bool allBuilt = true;
        for (const std::string& arg : args) {
            bool built = false;
            std::string failure;
            try {
                built = BuildOne(arg);
            } catch (const std::bad_alloc&) {
                throw;  // running out of memory ends the program, not only this step
            } catch (const std::exception& error) {
                failure = error.what();
            }
            Print("");
            if (!failure.empty()) ReportError(failure);
            allBuilt = allBuilt && built;
        }
        return allBuilt;
    }

    bool BuildOne(const std::string& arg) {
        std::string found = FindFile(arg);
        if (found.empty() || !std::filesystem::is_regular_file(found))
            throw std::runtime_error("File " + arg + " does not exist");
        std::string name = RelativeToDirectory(found, platform::CurrentDirectory());
        std::string directory = DirectoryOf(name);
        if (!directory.empty()) SearchPathList.insert(SearchPathList.begin(), directory);
        return BuildFile(name, settings_, console_);
    }

    platform::Console& console_;
    std::istream& input_;
    TSettings settings_;
};

}  // namespace

std::string RelativeToDirectory(const std::string& name, const std::string& currentDirectory) {
    if (name.empty() || name[0] != platform::kPathDelimiter) return name;
    std::vector<std::string> nameParts = Directories(name);
    std::vector<std::string> currentParts = Directories(currentDirectory);
    std::size_t shared = 0;
    while (shared + 1 < nameParts.size() && shared < currentParts.size() &&
           nameParts[shared] == currentParts[shared])
        ++shared;
    std::string relative;
    for (std::size_t i = shared; i < currentParts.size(); ++i) relative += std::string("..") + platform::kPathDelimiter;
    for (std::size_t i = shared; i < nameParts.size(); ++i) {
        relative += nameParts[i];
        if (i + 1 < nameParts.size()) relative += platform::kPathDelimiter;
    }
    return relative;
}

int RunKelc(const std::vector<std::string>& args, platform::Console& console, std::istream& input) {
    return KelcRun(console, input).Run(args);
}

}  // namespace kelc
