#pragma once
#include <string>

// A fresh directory below the system's temporary directory, removed with everything in it.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::string path_;
};

// Runs a shell command line in `directory`; returns the exit status and the combined output.
struct CommandResult {
    int status = -1;
    std::string output;
};
CommandResult RunCommand(const std::string& directory, const std::string& commandLine);

// How often `part` occurs in `text`, overlaps included.
std::size_t CountOf(const std::string& text, const std::string& part);
