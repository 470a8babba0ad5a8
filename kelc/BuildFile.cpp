#include "kelc/BuildFile.h"

#include "kelc/FileHandling.h"
#include "kelc/KELCompiler.h"
#include "platform/ChildProcess.h"
#include "platform/FileLock.h"
#include "platform/Files.h"
#include "platform/Program.h"

#include <stdexcept>

namespace kelc {
namespace {

constexpr const char* kAssemblerLog = "errors.txt";

void WriteTextFile(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text.append(line).append("\r\n");
    std::string reason;
    if (!platform::ReplaceFile(path, text, reason)) throw std::runtime_error("Unable to write " + path + ": " + reason);
}

// The assembler's parameters split at blanks; double quotes group, and a doubled quote inside
// them stands for one.
std::vector<std::string> SplitParameters(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                word += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

class FileBuild {
public:
    FileBuild(const TSettings& settings, platform::Console& console) : settings_(settings), console_(console) {}

    bool Run(const std::string& requestedName) {
        const std::string source = FindFile(requestedName);
        const std::string asmFile = DeriveName(source, ".zarn");
        const std::string preprocessed = DeriveName(source, ".prezarn");
        const std::string cobFile = DeriveName(source, ".cob");
        const std::string errorLog = DeriveName(source, "_ZARN_error.txt");
        for (const std::string& output : {asmFile, preprocessed, cobFile, errorLog, std::string(kAssemblerLog)})
            if (platform::SameFile(source, output))
                throw std::runtime_error("Source \"" + source + "\" would be overwritten by its own output");
        Print("Source: " + source);
        Print("Dest: " + asmFile);
        Print("Preprocessor Output: " + preprocessed);
        Print("ZARN error log: " + errorLog);

        std::vector<std::string> asmOutput, preprocessorOutput, messages;
        std::string readFailure;
        bool compiled = false;
        try {
            std::vector<std::string> lines = LoadTextFile(source);
            TKELCompiler compiler(source, asmFile, settings_.MirroxCompatibility, settings_.AutoEmitLastRet,
                                  settings_.EnableZARNExtentions, preprocessorOutput, asmOutput, std::move(lines));
            compiled = compiler.Success;
            messages = compiler.Messages;
        } catch (const FileError& error) {
            readFailure = error.what();
        }
        WriteTextFile(asmFile, asmOutput);
        WriteTextFile(preprocessed, preprocessorOutput);
        if (!readFailure.empty()) throw std::runtime_error(readFailure);

        bool assembled = true;
        if (compiled && !settings_.CompileAndDoNotAssemble) {
            assembled = Assemble(asmFile, cobFile, errorLog);
        } else if (!compiled) {
            Print("Errors in source");
            for (const std::string& message : messages) Print(message);
            Print("");
        }
        Print("Finished Compiling!");
        return compiled && assembled;
    }

private:
    void Print(const std::string& line) { console_.Print(line + "\n"); }

    bool Assemble(const std::string& asmFile, const std::string& cobFile, const std::string& errorLog) {
        Print("Assembling ZARN to COB");
        std::string ignored;
        platform::RemoveFile(cobFile, ignored);  // a failing assembler must not leave an older COB file
        std::vector<std::string> arguments{asmFile, cobFile};
        for (std::string& parameter : SplitParameters(settings_.AssemblerParams)) arguments.push_back(parameter);

        // The assembler's log is shared by every run from this directory: one run at a time, and
        // only what this run's assembler wrote is handed over.
        platform::FileLock lock(kLockFileName);
        SayWhenUnguarded(lock, console_);
        bool logCleared = ClearAssemblerLog();
        platform::ChildResult result = RunAssembler(settings_.AssemblerExeName, arguments);
        if (logCleared) TakeOverAssemblerLog(errorLog);
        return result.started && result.exitStatus == 0;
    }

    // A log left by a killed run would otherwise be handed over as this run's.
    bool ClearAssemblerLog() {
        std::string reason;
        if (platform::RemoveFile(kAssemblerLog, reason)) return true;
        Print(std::string("Unable to clear \"") + kAssemblerLog + "\": " + reason);
        return false;
    }

    platform::ChildResult RunAssembler(const std::string& program, const std::vector<std::string>& arguments) {
        Print("Attempting to invoke " + program);
        platform::ChildResult result = platform::RunChildProcess(program, arguments);
        if (!result.started) {
            Print("Unable to invoke " + program);
            Print("Reason: " + result.reason);
        }
        return result;
    }

    // Written before the log is deleted, so that a failed write loses nothing.
    void TakeOverAssemblerLog(const std::string& errorLog) {
        if (!platform::FileExists(kAssemblerLog)) return;
        WriteTextFile(errorLog, LoadTextFile(kAssemblerLog));
        std::string ignored;
        platform::RemoveFile(kAssemblerLog, ignored);
    }

    const TSettings& settings_;
    platform::Console& console_;
};

}  // namespace

std::string DeriveName(const std::string& sourceName, const std::string& suffix) {
    std::size_t nameStart = sourceName.find_last_of(platform::kPathDelimiter);
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    std::size_t dot = sourceName.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return sourceName + suffix;
    return sourceName.substr(0, dot) + suffix;
}

void SayWhenUnguarded(const platform::FileLock& lock, platform::Console& console) {
    if (!lock.Held())
        console.Print(std::string("Unable to lock \"") + kLockFileName + "\": " + lock.Reason() +
                      "; this run is not guarded against others\n");
}

bool BuildFile(const std::string& sourceName, const TSettings& settings, platform::Console& console) {
    return FileBuild(settings, console).Run(sourceName);
}

}  // namespace kelc
