#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A small model of the engine that runs code words, enough to tell whether two versions of a
// program compute the same: constants, local and static variables, arithmetic, jumps, "turn"
// with its two immediate words, "nop" and "ret". Arithmetic wraps at 32 bits.
struct Machine {
    std::vector<std::int32_t> stack;
    std::vector<std::int32_t> locals;
    std::vector<std::int32_t> statics;
    std::vector<std::int32_t> effects;  // every value stored or handed to "turn", in order
    std::string end;                    // why the run stopped

    bool operator==(const Machine& other) const {
        return stack == other.stack && locals == other.locals && statics == other.statics &&
               effects == other.effects && end == other.end;
    }
};

// Runs the code from word `start` until "ret", the end of the words, a division the engine
// cannot do, a word it does not know, or a million steps.
Machine Evaluate(const std::vector<std::int32_t>& code, std::size_t start, Machine machine);

std::string Describe(const Machine& machine);
