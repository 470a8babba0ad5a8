#pragma once
#include <string>

namespace platform {

// Marks a temporary file as being written for as long as it lives, so that an interrupt removes
// it. The name must outlive the mark.
class PendingTemporary {
public:
    explicit PendingTemporary(const std::string& name);
    ~PendingTemporary();
    PendingTemporary(const PendingTemporary&) = delete;
    PendingTemporary& operator=(const PendingTemporary&) = delete;

private:
    int slot_ = -1;
};

}  // namespace platform
