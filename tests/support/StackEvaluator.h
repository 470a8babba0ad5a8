#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A small model of the engine that runs code words, enough to tell what a program computes:
// constants, local and static variables, arithmetic, jumps, "turn" with its two immediate words,
// "hide" with its one, "sleep", "nop" and "ret". Arithmetic wraps at 32 bits.
struct Machine {
    std::vector<std::int32_t> stack;
    std::vector<std::int32_t> locals;
    std::vector<std::int32_t> statics;
    std::vector<std::int32_t> effects;  // every value stored, slept or handed to "turn", in order
    int underflows = 0;                 // values taken from an empty stack (read as 0)
    std::string end;                    // why the run stopped

    bool operator==(const Machine& other) const {
        return stack == other.stack && locals == other.locals && statics == other.statics &&
               effects == other.effects && underflows == other.underflows && end == other.end;
    }
};

// Runs the code from word `start` until "ret", the end of the words, a division the engine
// cannot do, a word it does not know, or a million steps.
Machine Evaluate(const std::vector<std::int32_t>& code, std::size_t start, Machine machine);

std::string Describe(const Machine& machine);
