#pragma once
#include <string>

// A valid assembly text of about `lines` lines in the shape the compiler writes: declarations,
// then procedures with locals, arithmetic, animation statements, labels and jumps.
std::string GenerateZarnText(long lines);
