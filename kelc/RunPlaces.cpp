#include "kelc/RunPlaces.h"

#include "kelc/BuildFile.h"
#include "kelc/FileNames.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/UserFolders.h"

namespace kelc {
namespace {

constexpr const char* kApplication = "kelc";

std::string UserFolder(const std::string& folder) {
    std::string reason;
    if (folder.empty() || !platform::MakeUserDirectory(folder, reason)) return std::string();
    return folder + platform::kPathDelimiter;
}

}  // namespace

RunPlaces LocateRunPlaces(const std::string& programPath, const std::string& settingsOption) {
    RunPlaces places;
    const std::string programDirectory = platform::DirectoryOf(programPath);
    const std::string systemSettings = platform::ReplaceExtension(programPath, ".ini");

    places.workingDirectory = programDirectory;
    if (!platform::CanWriteIn(programDirectory)) {
        std::string folder = UserFolder(platform::UserWorkingDirectory(kApplication));
        if (!folder.empty()) places.workingDirectory = folder;
    }

    if (!settingsOption.empty()) {
        places.settingsFiles = {settingsOption};
        places.settingsToWrite = settingsOption;
        places.settingsFailureIsError = false;
    } else if (platform::CanReplace(systemSettings)) {
        places.settingsFiles = {systemSettings};
        places.settingsToWrite = systemSettings;
    } else {
        std::string userFolder = platform::UserSettingsDirectory(kApplication);
        std::string userSettings = userFolder.empty() ? std::string() : userFolder + platform::kPathDelimiter + "kelc.ini";
        places.settingsFiles = {systemSettings};
        if (!userSettings.empty()) places.settingsFiles.push_back(userSettings);
        places.settingsToWrite = userSettings;
        places.settingsFolderToMake = userFolder;
        places.settingsFailureIsError = false;
    }
    return places;
}

}  // namespace kelc
