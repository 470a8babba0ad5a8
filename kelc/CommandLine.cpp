#include "kelc/CommandLine.h"

namespace kelc {

std::map<std::string, std::string> CommandLineDefines;

namespace {

class ArgumentReader {
public:
    ArgumentReader(const std::vector<std::string>& args, std::string& error) : args_(args), error_(error) {}

    std::optional<KelcOptions> Read() {
        KelcOptions options;
        for (index_ = 0; index_ < args_.size(); ++index_) {
            const std::string& arg = args_[index_];
            if (arg.size() < 2 || arg[0] != '-') {
                options.sources.push_back(arg);
            } else if (!ReadOption(arg, options)) {
                if (error_.empty()) error_ = "Unknown option " + arg;
                return std::nullopt;
            }
        }
        return Check(options);
    }

private:
    bool ReadOption(const std::string& arg, KelcOptions& options) {
        std::string value;
        if (Valued(arg, "-I", value)) options.includeDirectories.push_back(value);
        else if (Valued(arg, "-D", value)) return Define(value, options);
        else if (Valued(arg, "--settings", value)) options.settingsFile = value;
        else if (Valued(arg, "--outdir", value)) options.outputDirectory = value;
        else if (Valued(arg, "-MF", value)) options.depFile = value;
        else if (Valued(arg, "-o", value)) options.cobFile = value;
        else if (arg == "-MD") options.writeDepFile = true;
        else if (arg == "--no-assemble") options.noAssemble = true;
        else if (arg == "--no-pause") options.noPause = true;
        else if (arg == "-q" || arg == "--quiet") options.quiet = true;
        else if (arg == "--diagnostics=gnu") options.gnuDiagnostics = true;
        else if (arg == "--help") options.help = true;
        else if (arg == "--version") options.version = true;
        else return false;
        return error_.empty();
    }

    // "-I DIR", "-IDIR", "--outdir DIR" and "--outdir=DIR"; a missing value is an error.
    bool Valued(const std::string& arg, const std::string& option, std::string& value) {
        if (arg.compare(0, option.size(), option) != 0) return false;
        std::string rest = arg.substr(option.size());
        bool longOption = option.size() > 2;
        if (!rest.empty()) {
            if (longOption && rest[0] != '=') return false;
            value = longOption ? rest.substr(1) : rest;
        } else if (index_ + 1 < args_.size()) {
            value = args_[++index_];
        } else {
            error_ = "Option " + option + " needs a value";
            return true;
        }
        if (value.empty()) error_ = "Option " + option + " needs a value";
        return true;
    }

    bool Define(const std::string& text, KelcOptions& options) {
        std::size_t equals = text.find('=');
        std::string name = text.substr(0, equals);
        if (name.empty()) {
            error_ = "Option -D needs a name";
            return false;
        }
        options.defines[name] = equals == std::string::npos ? "1" : text.substr(equals + 1);
        return true;
    }

    std::optional<KelcOptions> Check(KelcOptions& options) {
        if (!options.depFile.empty()) options.writeDepFile = true;
        if (!options.cobFile.empty() && options.sources.size() > 1) {
            error_ = "Option -o names one COB file, so it takes one source only";
            return std::nullopt;
        }
        if (!options.depFile.empty() && options.sources.size() > 1) {
            error_ = "Option -MF names one file, so it takes one source only";
            return std::nullopt;
        }
        return options;
    }

    const std::vector<std::string>& args_;
    std::string& error_;
    std::size_t index_ = 0;
};

}  // namespace

std::optional<KelcOptions> ParseKelcCommandLine(const std::vector<std::string>& args, std::string& error) {
    error.clear();
    return ArgumentReader(args, error).Read();
}

}  // namespace kelc
