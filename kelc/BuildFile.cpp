#include "kelc/BuildFile.h"

#include "kelc/AssemblerDiagnostics.h"
#include "kelc/DepFile.h"
#include "kelc/FileHandling.h"
#include "kelc/FileNames.h"
#include "kelc/KELCompiler.h"
#include "platform/ChildProcess.h"
#include "platform/FileLock.h"
#include "platform/Files.h"
#include "platform/Paths.h"

#include <filesystem>
#include <stdexcept>

namespace kelc {
namespace {

constexpr const char* kAssemblerLog = "errors.txt";

void WriteTextFile(const std::string& path, const std::string& text) {
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

// The names of one build's files, as the user can open them.
struct OutputNames {
    std::string asmFile, preprocessed, cobFile, errorLog, depFile;

    OutputNames(const std::string& source, const BuildRequest& request) {
        std::string base = source;
        if (!request.outputDirectory.empty()) base = UserDirectoryName(request.outputDirectory) + platform::FileNameOf(source);
        asmFile = platform::ReplaceExtension(base, ".zarn");
        preprocessed = platform::ReplaceExtension(base, ".prezarn");
        cobFile = request.cobFile.empty() ? platform::ReplaceExtension(base, ".cob") : UserFileName(request.cobFile);
        errorLog = platform::ReplaceExtension(base, "_ZARN_error.txt");
        depFile = request.depFile.empty() ? platform::ReplaceExtension(cobFile, ".d") : UserFileName(request.depFile);
    }
};

class FileBuild {
public:
    FileBuild(const TSettings& settings, const BuildRequest& request, Reporter& reporter)
        : settings_(settings), request_(request), reporter_(reporter) {}

    // `source` is already resolved and named as the user opens it; looking it up again could
    // find a namesake below the program's folder.
    bool Run(const std::string& source) {
        const OutputNames names(source, request_);
        for (const std::string& output : {names.asmFile, names.preprocessed, names.cobFile, names.errorLog,
                                          request_.workingDirectory + kAssemblerLog})
            if (platform::SameFile(source, output))
                throw std::runtime_error("Source \"" + source + "\" would be overwritten by its own output");
        if (!request_.outputDirectory.empty()) {
            std::error_code ignored;  // a folder that cannot be made shows as the failed write below
            std::filesystem::create_directories(request_.outputDirectory, ignored);
        }
        reporter_.Progress("Source: " + source);
        reporter_.Progress("Dest: " + names.asmFile);
        reporter_.Progress("Preprocessor Output: " + names.preprocessed);
        reporter_.Progress("ZARN error log: " + names.errorLog);

        std::string asmOutput, preprocessorOutput;
        std::vector<std::string> messages, includedFiles;
        TLineOrigins lineOrigins;
        std::string readFailure;
        bool compiled = false;
        try {
            std::string text = LoadTextFile(source);
            TCompilerOptions options;
            options.MirroxCompatibility = settings_.MirroxCompatibility;
            options.AutoEmitLastRet = settings_.AutoEmitLastRet;
            options.EnableZARNExtentions = settings_.EnableZARNExtentions;
            options.TrackLineOrigins = reporter_.Quiet();  // assembler problems are placed in the source
            TKELCompiler compiler(source, names.asmFile, options, preprocessorOutput, asmOutput, std::move(text));
            compiled = compiler.Success;
            messages = compiler.Messages;
            includedFiles = compiler.IncludedFiles;
            lineOrigins = std::move(compiler.LineOrigins);
        } catch (const FileError& error) {
            readFailure = error.what();
        }
        WriteTextFile(names.asmFile, asmOutput);
        WriteTextFile(names.preprocessed, preprocessorOutput);
        if (!readFailure.empty()) throw std::runtime_error(readFailure);
        if (compiled && request_.writeDepFile) WriteDepFile(names.depFile, names.cobFile, source, includedFiles);

        bool assembled = true;
        if (compiled && !settings_.CompileAndDoNotAssemble) {
            assembled = Assemble(names, lineOrigins);
        } else if (!compiled) {
            reporter_.ScriptErrors(messages);
        }
        reporter_.Progress("Finished Compiling!");
        return compiled && assembled;
    }

private:
    bool Assemble(const OutputNames& names, const TLineOrigins& lineOrigins) {
        reporter_.Progress("Assembling ZARN to COB");
        std::string ignored;
        platform::RemoveFile(names.cobFile, ignored);  // a failing assembler must not leave an older COB file
        const std::string& directory = request_.workingDirectory;
        std::vector<std::string> arguments{NameSeenFrom(directory, names.asmFile), NameSeenFrom(directory, names.cobFile)};
        for (std::string& parameter : SplitParameters(settings_.AssemblerParams)) arguments.push_back(parameter);
        if (reporter_.Quiet()) arguments.push_back("--diagnostics=gnu");

        // The assembler's log is shared by every run that works in this folder: one run at a time,
        // and only what this run's assembler wrote is handed over.
        platform::FileLock lock(directory + kLockFileName);
        SayWhenUnguarded(lock, reporter_);
        const std::string assemblerLog = directory + kAssemblerLog;
        const bool logCleared = ClearAssemblerLog(assemblerLog);
        platform::ChildResult result = RunAssembler(arguments);
        if (logCleared) TakeOverAssemblerLog(assemblerLog, names.errorLog);
        bool assembled = result.started && result.exitStatus == 0;
        // A quiet run shows only the assembler's problems, one line each, placed in the source.
        for (const std::string& line : PlaceAssemblerDiagnostics(result.output, arguments[0], lineOrigins))
            reporter_.Problem(line);
        return assembled;
    }

    // A log left by a killed run would otherwise be handed over as this run's.
    bool ClearAssemblerLog(const std::string& assemblerLog) {
        std::string reason;
        if (platform::RemoveFile(assemblerLog, reason)) return true;
        reporter_.Failure("Unable to clear \"" + std::string(kAssemblerLog) + "\": " + reason);
        return false;
    }

    platform::ChildResult RunAssembler(const std::vector<std::string>& arguments) {
        const std::string& name = settings_.AssemblerExeName;
        reporter_.Progress("Attempting to invoke " + name);
        platform::ChildOptions options;
        options.workingDirectory = request_.workingDirectory;
        options.captureOutput = reporter_.Quiet();
        platform::ChildResult result = platform::RunChildProcess(request_.assemblerProgram, arguments, options);
        if (!result.started && reporter_.Gnu()) {
            reporter_.Failure("Unable to invoke " + name + ": " + result.reason);
        } else if (!result.started) {
            reporter_.Failure("Unable to invoke " + name);
            reporter_.Failure("Reason: " + result.reason);
        }
        return result;
    }

    // Written before the log is deleted, so that a failed write loses nothing.
    void TakeOverAssemblerLog(const std::string& assemblerLog, const std::string& errorLog) {
        if (!platform::FileExists(assemblerLog)) return;
        WriteTextFile(errorLog, LoadTextFile(assemblerLog));
        std::string ignored;
        platform::RemoveFile(assemblerLog, ignored);
    }

    const TSettings& settings_;
    const BuildRequest& request_;
    Reporter& reporter_;
};

}  // namespace

void SayWhenUnguarded(const platform::FileLock& lock, Reporter& reporter) {
    if (!lock.Held())
        reporter.Failure(std::string("Unable to lock \"") + kLockFileName + "\": " + lock.Reason() +
                         "; this run is not guarded against others");
}

bool BuildFile(const std::string& sourceName, const TSettings& settings, const BuildRequest& request,
               Reporter& reporter) {
    return FileBuild(settings, request, reporter).Run(sourceName);
}

}  // namespace kelc
