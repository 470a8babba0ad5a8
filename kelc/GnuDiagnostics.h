#pragma once
#include <string>
#include <vector>

namespace kelc {

// The compiler's messages as "path:line:column: error: message" lines ("warning:" for
// warnings): a preprocessor message is placed at its innermost include level, a message without
// a place reads "kelc: error: message", and the closing "Could not compile dependant file."
// record, which only repeats that the file failed, is left out.
std::vector<std::string> GnuCompilerDiagnostics(const std::vector<std::string>& messages);

}  // namespace kelc
