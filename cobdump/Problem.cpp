#include "cobdump/Problem.h"

namespace cobdump {

std::string ProblemLine(const Problem& problem) {
    return "offset " + std::to_string(problem.offset) + ": " + problem.message + "\n";
}

}  // namespace cobdump
