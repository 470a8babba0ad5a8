#pragma once
#include <string>
#include <vector>

namespace kelc {

// The compiler's messages as "path:line:column: error: message" lines ("warning:" for
// warnings): a preprocessor message is placed at its innermost include level, a message without
// a place reads "kelc: error: message". Records that only repeat are left out: the closing
// "Could not compile dependant file." and a fatal error recorded again by its function.
std::vector<std::string> GnuCompilerDiagnostics(const std::vector<std::string>& messages);

}  // namespace kelc
