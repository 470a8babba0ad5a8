#pragma once
#include "kelc/KELCompiler.h"

namespace kelc {

// Counts one level of a recursive construct for as long as it lives. Deeply nested source would
// otherwise recurse until the stack runs out; beyond the limit it is a fatal error instead.
class TKELCompiler::NestingGuard {
public:
    static constexpr int kMaxDepth = 1000;

    NestingGuard(TKELCompiler& compiler, int& depth, const char* message) : depth_(depth) {
        if (++depth_ > kMaxDepth) {
            --depth_;
            compiler.AddMessage(svFatalError, message);
        }
    }
    ~NestingGuard() { --depth_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    int& depth_;
};

}  // namespace kelc
