#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace cobrun {

// A script the run starts by itself, as the game would.
struct ScriptStart {
    std::string name;
    std::int64_t ms = 0;
    std::vector<std::int32_t> arguments;
};

struct RunOptions {
    std::vector<ScriptStart> starts;             // started in time order, in this order at equal times
    std::int64_t untilMs = 10000;                // simulated time after which the run stops
    std::map<std::int32_t, std::int32_t> values;  // unit values that get reads; others read 0
    std::uint64_t seed = 0;                      // of rand
    std::int64_t budget = 100000;                // instructions a thread may run without yielding
    bool trace = false;
};

}  // namespace cobrun
