#pragma once
#include <string>

namespace platform {

// The system's text for a Win32 error code, without the line end the system puts after it.
std::string SystemMessage(unsigned long error);

}  // namespace platform
