#include "kelc/KelcProgram.h"

#include "kelc/BuildFile.h"
#include "kelc/CommandLine.h"
#include "kelc/FileHandling.h"
#include "kelc/FileNames.h"
#include "kelc/Reporter.h"
#include "kelc/RunPlaces.h"
#include "kelc/Settings.h"
#include "platform/FileLock.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Program.h"
#include "platform/UserFolders.h"

#include <new>
#include <optional>
#include <stdexcept>

namespace kelc {
namespace {

class KelcRun {
public:
    KelcRun(platform::Console& console, platform::Console& errors, std::istream& input)
        : console_(console), errors_(errors), input_(input) {}

    int Run(const std::vector<std::string>& args) {
        std::string programPath = platform::ProgramPath();
        std::string usage = "Usage: " + platform::FileNameOf(programPath) + " <kel file>\n";
        std::string error;
        std::optional<KelcOptions> options = ParseKelcCommandLine(args, error);
        if (!options) {
            errors_.Print("kelc: " + error + " (see kelc --help)\n");
            return 1;
        }
        if (options->help || options->version) {
            console_.Print(options->help ? std::string(kKelcHelp) : "kelc " KEL_VERSION "\n");
            return 0;
        }
        if (options->sources.empty()) {
            console_.Print(usage);
            return 1;
        }
        options_ = *options;
        reporter_.emplace(console_, errors_, options_.quiet, options_.gnuDiagnostics);
        std::string programDirectory = platform::DirectoryOf(programPath);
        bool allBuilt = false;
        try {
            RunPlaces places = LocateRunPlaces(programPath, options_.settingsFile);
            ReadSettings(places);
            FillPathLists(programDirectory);
            allBuilt = BuildAll(programDirectory, places.workingDirectory);
        } catch (const std::bad_alloc&) {
            throw;  // running out of memory ends the program, not only this step
        } catch (const std::exception& failure) {
            ReportError(failure.what());
        }
        if (settings_.PauseAtEnd) Pause();
        return allBuilt ? 0 : 1;
    }

private:
    void ReadSettings(const RunPlaces& places) {
        // Two runs must not interleave their rewrites.
        platform::FileLock lock(places.workingDirectory + kLockFileName);
        SayWhenUnguarded(lock, *reporter_);
        for (const std::string& file : places.settingsFiles)
            settings_ = LoadSettings(platform::IniFile(file), settings_);
        std::string ignored;  // a folder that cannot be made shows as the failed write below
        if (!places.settingsFolderToMake.empty()) platform::MakeUserDirectory(places.settingsFolderToMake, ignored);
        try {
            SaveSettings(platform::IniFile(places.settingsToWrite), places.settingsToWrite, settings_);
        } catch (const std::runtime_error& failure) {
            if (places.settingsFailureIsError) throw;
            reporter_->Warning(std::string(failure.what()) + "; the settings stay as they were");
        }
        // Options hold for this run only, so they are applied after the rewrite.
        if (options_.noAssemble) settings_.CompileAndDoNotAssemble = true;
        if (options_.noPause || options_.gnuDiagnostics || platform::EnvironmentVariable("KELC_NO_PAUSE") == "1") {
            settings_.PauseAtEnd = false;
            settings_.PauseOnException = false;
        }
    }

    void Pause() {
        console_.Print("Press Enter to continue . . .");
        std::string ignored;
        if (!std::getline(input_, ignored)) console_.Print("\n");  // nobody pressed Enter to end the line
    }

    void ReportError(const std::string& message) {
        reporter_->Failure(message);
        if (settings_.PauseOnException && !settings_.PauseAtEnd) Pause();
    }

    // Relative names in the settings are taken from the program's folder, -I folders from the
    // starting folder; every list item is kept as the user can open it from the starting folder.
    void FillPathLists(const std::string& programDirectory) {
        IncludePathList.clear();
        SearchPathList.clear();
        for (const std::string& item : options_.includeDirectories) IncludePathList.push_back(UserDirectoryName(item));
        AddFromSettings(settings_.IncludePaths, programDirectory, IncludePathList);
        AddFromSettings(settings_.SearchPaths, programDirectory, SearchPathList);
        SearchPathList.push_back(UserDirectoryName(programDirectory));
        // Last, so that `kelc arm.kel` run from a project folder finds arm.kel there.
        SearchPathList.push_back(UserDirectoryName("."));
        LookupBaseDirectory = UserDirectoryName(programDirectory);
        CommandLineDefines = options_.defines;
    }

    static void AddFromSettings(const std::string& text, const std::string& programDirectory,
                                std::vector<std::string>& list) {
        std::vector<std::string> items;
        SplitPathList(text, items);
        // An empty item stays empty: the lookup takes it as the root, as it always has.
        for (const std::string& item : items)
            list.push_back(item.empty() ? item : UserDirectoryName(InDirectory(programDirectory, item)));
    }

    bool BuildAll(const std::string& programDirectory, const std::string& workingDirectory) {
        BuildRequest request;
        request.outputDirectory = options_.outputDirectory;
        request.cobFile = options_.cobFile;
        request.depFile = options_.depFile;
        request.writeDepFile = options_.writeDepFile;
        request.assemblerProgram = InDirectory(programDirectory, settings_.AssemblerExeName);
        request.workingDirectory = workingDirectory;
        bool allBuilt = true;
        for (const std::string& arg : options_.sources) {
            bool built = false;
            std::string failure;
            try {
                built = BuildOne(arg, request);
            } catch (const std::bad_alloc&) {
                throw;  // running out of memory ends the program, not only this step
            } catch (const std::exception& error) {
                failure = error.what();
            }
            reporter_->Progress("");
            if (!failure.empty()) ReportError(failure);
            allBuilt = allBuilt && built;
        }
        return allBuilt;
    }

    bool BuildOne(const std::string& arg, const BuildRequest& request) {
        std::string found = FindFile(arg);
        if (found.empty()) throw std::runtime_error("File " + arg + " does not exist");
        std::string name = UserFileName(found);
        std::string directory = platform::DirectoryOf(name);
        SearchPathList.insert(SearchPathList.begin(), UserDirectoryName(directory.empty() ? "." : directory));
        return BuildFile(name, settings_, request, *reporter_);
    }

    platform::Console& console_;
    platform::Console& errors_;
    std::istream& input_;
    KelcOptions options_;
    std::optional<Reporter> reporter_;
    TSettings settings_;
};

}  // namespace

int RunKelc(const std::vector<std::string>& args, platform::Console& console, platform::Console& errors,
            std::istream& input) {
    return KelcRun(console, errors, input).Run(args);
}

}  // namespace kelc
