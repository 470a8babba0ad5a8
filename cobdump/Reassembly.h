#pragma once
#include <string>
#include <string_view>

namespace cobdump {

// Assembles `text` as zarn does without its optimizer and compares the COB image with `bytes`.
// Returns "" when they are identical, otherwise what differs.
std::string ReassemblyDifference(const std::string& text, std::string_view bytes);

}  // namespace cobdump
