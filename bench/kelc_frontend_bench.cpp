// Times kelc's front end on a generated script of a given number of lines (default 100000):
// preprocessing (a definition every ten lines, an include served by a hook every thousand lines,
// conditional sections, comments) and scanning every token with position and symbol hooks like the
// compiler's. Reports lines per second and peak memory. Run one size per process so the peak
// belongs to that size:
//   kelc_frontend_bench 100000; kelc_frontend_bench 1000000
#include "kelc/PreProcessor.h"
#include "kelc/Scanner.h"
#include "platform/Process.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>

namespace {

const char* const kIncludedName = "part.kelh";
const char* const kIncludedText =
    "// shared pieces\r\n"
    "#define PART_SPEED <45.5>\r\n"
    "piece part_base, part_arm-1;\r\n"
    "static-var part_state = $1F;\r\n";

std::string GenerateScript(long lines) {
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 48);
    for (long n = 0; n < lines; ++n) {
        const std::string number = std::to_string(n);
        const std::string previous = std::to_string(n - n % 10);
        switch (n % 10) {
            case 0: text += "#define LENGTH_" + number + " [" + std::to_string(n % 97) + ".25]\r\n"; break;
            case 1: text += "static-var flag_" + number + " = LENGTH_" + previous + ";  // uses the definition\r\n"; break;
            case 2: text += "turn turret to x-axis <" + std::to_string(n % 360) + ".5> speed PART_SPEED;\r\n"; break;
            case 3: text += "/* a block comment\r\n"; break;
            case 4: text += "   over two lines */ move barrel to y-axis [-1.25] now;\r\n"; break;
            case 5:
                text += n % 1000 == 5 ? std::string("#include \"") + kIncludedName + "\"\r\n"
                                      : "if (a-b >= $FF && wait-for-turn) { call-script Go(\"say \"\"hi\"\"\"); }\r\n";
                break;
            case 6: text += "#ifdef LENGTH_" + previous + "\r\n"; break;
            case 7: text += "  sleep 100; ++counter; counter <<= 2; /* outer /* inner */ outer */\r\n"; break;
            case 8: text += "#endif\r\n"; break;
            default: text += "emit-sfx 1024 from flare; x-axis = LENGTH_" + previous + " * 3.75;\r\n"; break;
        }
    }
    return text;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const long lines = std::atol(argc > 1 ? argv[1] : "100000");
    kelc::TPreProcessor preprocessor;
    preprocessor.MainFileName = "bench.kel";
    preprocessor.MainText = GenerateScript(lines);
    long includes = 0;
    preprocessor.OnIncludeFile = [&includes](kelc::TPreProcessor&, const std::string&, std::string& text, std::string&) {
        ++includes;
        text = kIncludedText;
        return true;
    };

    std::string output;
    auto start = std::chrono::steady_clock::now();
    try {
        preprocessor.Preprocess(preprocessor.MainFileName, output);
    } catch (const std::exception& error) {
        std::printf("preprocessing failed: %s\n", error.what());
        return 1;
    }
    const double preprocessSeconds = SecondsSince(start);

    // The compiler's hooks: every token's position through the line origins, and a few known
    // dashed names.
    const std::unordered_set<std::string> known{"x-axis", "y-axis", "part_arm-1"};
    long tokens = 0;
    start = std::chrono::steady_clock::now();
    try {
        kelc::TScanner scanner(
            output,
            [&preprocessor](kelc::TScanner&, kelc::TTokenData& token) { kelc::PlaceToken(preprocessor.LineInfos, token); },
            [&known](std::string_view text, kelc::TTokenType&) { return known.count(std::string(text)) != 0; });
        for (; scanner.CurrentToken().kind != kelc::ttEndOfFile; scanner.NextToken()) ++tokens;
    } catch (const std::exception& error) {
        std::printf("scanning failed: %s\n", error.what());
        return 1;
    }
    const double scanSeconds = SecondsSince(start);

    const long totalLines = lines + includes * 4;
    std::printf("%ld lines (%ld includes), %zu bytes out, %ld tokens: preprocess %.3f s (%.0f lines/s), "
                "scan %.3f s (%.0f lines/s), peak memory %.1f MiB\n",
                totalLines, includes, output.size(), tokens, preprocessSeconds, totalLines / preprocessSeconds,
                scanSeconds, totalLines / scanSeconds, platform::PeakMemoryBytes() / (1024.0 * 1024.0));
    return 0;
}
