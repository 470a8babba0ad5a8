#pragma once
#include "kelc/SourceOrigins.h"

#include <string>
#include <vector>

namespace kelc {

// The assembler's --diagnostics=gnu output for the assembly text kelc wrote, one problem per
// line. A line "<zarnName>:<line>: <rest>" is placed at the source of the nearest line at or
// above that assembly line whose origin is known ("arm.kel:12:3: <rest>"); other lines stay as
// they are.
std::vector<std::string> PlaceAssemblerDiagnostics(const std::string& output, const std::string& zarnName,
                                                   const TLineOrigins& lineOrigins);

}  // namespace kelc
