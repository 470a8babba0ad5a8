#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelc {

// What the command line asks of one run. None of it is ever written to a settings file.
struct KelcOptions {
    std::vector<std::string> sources;
    std::vector<std::string> includeDirectories;   // -I, searched before the settings' IncludePaths
    std::map<std::string, std::string> defines;     // -D NAME[=VALUE]
    std::string settingsFile;                       // --settings
    std::string cobFile;                            // -o
    std::string outputDirectory;                    // --outdir
    std::string depFile;                            // -MF
    bool writeDepFile = false;                      // -MD or -MF
    bool noAssemble = false;
    bool noPause = false;
    bool quiet = false;
    bool gnuDiagnostics = false;                    // --diagnostics=gnu
    bool help = false;
    bool version = false;
};

constexpr const char* kKelcHelp =
    "Usage: kelc [options] <kel file> [<kel file> ...]\n"
    "Compiles KEL scripts into assembly text and runs the assembler on each.\n"
    "\n"
    "  -I DIR             search DIR for sources and include files, before IncludePaths\n"
    "  -D NAME[=VALUE]    define NAME as VALUE (default 1) before line 1\n"
    "  -o FILE            write the COB file to FILE (one source only)\n"
    "  --outdir DIR       write every output file into DIR\n"
    "  -MD                write a make rule NAME.d beside the COB file\n"
    "  -MF FILE           write the make rule to FILE\n"
    "  --settings FILE    read the settings from FILE instead of kelc.ini\n"
    "  --no-assemble      stop after writing the assembly text\n"
    "  --no-pause         never wait for Enter (as KELC_NO_PAUSE=1 does)\n"
    "  -q, --quiet        print messages only, no banner or progress lines\n"
    "  --diagnostics=gnu  print each problem as path:line:column: error: message on stderr\n"
    "  --help             print this help and exit\n"
    "  --version          print the version and exit\n";

// The -D definitions of this run; every compilation starts with them in its define table.
extern std::map<std::string, std::string> CommandLineDefines;

// Reads the arguments (without the program name). A word that starts with "-" is an option;
// every other word names a source. On a bad command line returns nothing and puts the message
// into `error`.
std::optional<KelcOptions> ParseKelcCommandLine(const std::vector<std::string>& args, std::string& error);

}  // namespace kelc
