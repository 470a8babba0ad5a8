#pragma once
#include <string>
#include <string_view>

namespace cobrun {

// Names come from the file and may hold any byte. Both forms keep printable ASCII and replace
// the rest, so the output is always well-formed.

// Text for an XML attribute or element: & < > " escaped, other bytes outside printable ASCII as "?".
std::string XmlText(std::string_view text);

// A JSON string literal with its quotes; bytes outside printable ASCII as \u00XX.
std::string JsonString(std::string_view text);

}  // namespace cobrun
