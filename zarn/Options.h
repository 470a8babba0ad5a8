#pragma once
#include <string>

namespace zarn {

struct Options {
    std::string inputName;
    std::string outputName;
    int optimizationLevel = 3;
    int optimizationType = 3;
    bool logToFiles = false;         // -l
    bool warningsAsErrors = false;   // -e

    bool OptimizerOn() const { return optimizationLevel != 0 && optimizationType != 0; }
};

}  // namespace zarn
