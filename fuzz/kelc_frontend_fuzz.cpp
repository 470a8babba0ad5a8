// Preprocesses arbitrary bytes as the main file (the test harness serves a few fixed include texts
// and the input itself, and takes "#if 0" as false) and scans every token of the output, with the
// compiler's kind of position and symbol hooks. Only the documented errors may escape the front
// end; a token placed before the first line or column of its file is a fault.
#include "kelc/Scanner.h"
#include "tests/kelc/FrontEndHarness.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const harness::Files kIncludeFiles{
    {"defs.kelh", "#define LENGTH [1.5]\r\n#define ANGLE <-90>\r\n#define empty\r\nstatic-var x-axis;\r\n"},
    {"nested.kelh", "#ifdef LENGTH\r\n#include \"defs.kelh\"\r\n#else\r\nmove a to b now;\r\n#endif\r\n"},
    {"self.kelh", "/* again */ #include self.kelh\r\n"},
};

void CheckPlace(const kelc::TTokenData& token) {
    if (token.line < 1 || token.column < 1 || token.pos < 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    kelc::TPreProcessor preprocessor;
    preprocessor.MainFileName = "main.kel";
    preprocessor.MainText = input;
    harness::Files files = kIncludeFiles;
    files["input.kel"] = input;
    harness::ServeIncludeFiles(preprocessor, files);
    harness::TakeIfZeroAsFalse(preprocessor);

    std::string output;
    try {
        preprocessor.Preprocess(preprocessor.MainFileName, output);
    } catch (const kelc::EPreProcessorError&) {
        // What was produced up to the error is scanned all the same.
    }

    try {
        kelc::TScanner scanner(
            output,
            [&preprocessor](kelc::TScanner&, kelc::TTokenData& token) {
                kelc::PlaceToken(preprocessor.LineInfos, token);
                if (!token.fileName.empty()) CheckPlace(token);
            },
            [](std::string_view text, kelc::TTokenType& kind) {
                if (text != "x-axis" && text != "a-b") return false;
                kind = kelc::ttIdentifier;
                return true;
            });
        while (scanner.CurrentToken().kind != kelc::ttEndOfFile) {
            if (!scanner.Accept(kelc::ttSemicolon)) scanner.NextToken();
        }
        scanner.Expect(kelc::ttEndOfFile);
    } catch (const kelc::EScannerError&) {
    } catch (const kelc::EConvertError&) {
    }
    return 0;
}
