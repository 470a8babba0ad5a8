#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace cobdump {

// Something wrong with a COB file, at the byte offset where it shows.
struct Problem {
    std::int64_t offset = 0;
    std::string message;
};

using Problems = std::vector<Problem>;

// "offset 24: <message>", one line.
std::string ProblemLine(const Problem& problem);

}  // namespace cobdump
