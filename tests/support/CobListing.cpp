#include "tests/support/CobListing.h"

#include "cobdump/CobFile.h"
#include "cobdump/Disassembly.h"
#include "cobdump/Listing.h"

std::string CobListing(const std::string& bytes) {
    cobdump::Problems problems;
    std::optional<cobdump::CobFile> file = cobdump::ReadCobFile(bytes, problems);
    if (!file) return "unreadable COB file (" + std::to_string(problems.size()) + " problems)\n";
    std::string listing = cobdump::Listing(*file, cobdump::Disassemble(*file));
    return problems.empty() ? listing : listing + std::to_string(problems.size()) + " problems\n";
}
