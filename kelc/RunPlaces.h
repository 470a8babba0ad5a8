#pragma once
#include <string>
#include <vector>

namespace kelc {

// Where one run reads and writes its settings and keeps its lock and the assembler's hand-over
// file. In a program folder the user can write, all of it is the program folder and kelc.ini
// beside the program; otherwise the per-user folders take what must be written.
struct RunPlaces {
    std::vector<std::string> settingsFiles;  // read in order, each over the ones before it
    std::string settingsToWrite;             // rewritten with the nine keys
    std::string settingsFolderToMake;        // the per-user folder, made just before the write
    bool settingsFailureIsError = true;      // only for kelc.ini in a writable program folder
    std::string workingDirectory;            // lock file and errors.txt; ends in a delimiter
};

// `settingsOption` is the --settings file, or empty. Creates the per-user working folder when
// it chooses it; when that cannot be made, the lock and the hand-over stay in the program folder.
RunPlaces LocateRunPlaces(const std::string& programPath, const std::string& settingsOption);

}  // namespace kelc
