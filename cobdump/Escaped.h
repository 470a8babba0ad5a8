#pragma once
#include <string>

namespace cobdump {

// Names and texts in a file may hold any byte but NUL: for showing them, control bytes, bytes
// above 126, double quotes and backslashes are escaped.
std::string Escaped(const std::string& text);

}  // namespace cobdump
