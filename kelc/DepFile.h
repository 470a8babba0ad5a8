#pragma once
#include <string>
#include <vector>

namespace kelc {

// The make rule "target: source included..." with every prerequisite once, in first-seen order;
// blanks, "#" and "$" are escaped as make reads them.
std::string MakeRule(const std::string& target, const std::string& source, const std::vector<std::string>& included);

// Writes MakeRule to `path`; raises std::runtime_error "Unable to write <path>: <reason>".
void WriteDepFile(const std::string& path, const std::string& target, const std::string& source,
                  const std::vector<std::string>& included);

}  // namespace kelc
