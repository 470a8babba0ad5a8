#pragma once
#include <string>

// A readable listing of a COB file's header, code words, link tables, index and names, for
// golden files. A file too short for what its header promises is listed as far as it goes.
std::string CobListing(const std::string& bytes);
