#pragma once
#include "zarn/RunState.h"

#include <string>

namespace zarn {

// The message of an error code with its subject filled in.
std::string ErrorMessage(const ErrorEntry& error);

// "Error on line %d: 0x%02X (%s)" and a line break.
std::string ErrorLine(const ErrorEntry& error);

// "Warning on line %d: 0x%02X", then " (Adding duplicate string to file)" for that kind; no line break.
std::string WarningText(const Warning& warning);

}  // namespace zarn
