#include "tests/support/TempDirectory.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

TempDirectory::TempDirectory() {
    static std::atomic<unsigned> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path path = fs::temp_directory_path() /
                    ("kel-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(path);
    path_ = path.string();
}

TempDirectory::~TempDirectory() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void TempDirectory::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TempDirectory::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool TempDirectory::Exists(const std::string& name) const { return fs::exists(File(name)); }

CommandResult RunCommand(const std::string& directory, const std::string& commandLine) {
    const std::string outputFile = directory + "/.command-output";
    std::string shell = "cd '" + directory + "' && " + commandLine + " > '" + outputFile + "' 2>&1 < /dev/null";
    int raw = std::system(shell.c_str());
    CommandResult result;
    // std::system returns the shell's wait status; its exit code sits in the second byte.
    result.status = (raw >= 0 && (raw & 0x7F) == 0) ? (raw >> 8) & 0xFF : -1;
    std::ifstream in(outputFile, std::ios::binary);
    result.output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::error_code ignored;
    fs::remove(outputFile, ignored);
    return result;
}

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}
