#pragma once
#include <string>

// cobdump's readable listing of a COB file, for golden files.
std::string CobListing(const std::string& bytes);
