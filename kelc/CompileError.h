#pragma once
#include <stdexcept>
#include <string>

namespace kelc {

// An error that ends the compilation of the current file; its message is all it carries.
class ECompileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace kelc
