#pragma once
#include "zarn/RunState.h"

#include <string>
#include <vector>

// Assembles text in memory as zarn would with these flags; `console` gets what it prints and
// `cob` the COB image when there were no errors.
struct AssembledText {
    zarn::RunState state;
    bool ok = false;
    std::string console;
    std::string cob;
};
AssembledText AssembleText(const std::string& text, const std::vector<std::string>& flags = {});

// The code words of a text that must assemble without errors.
std::vector<std::int32_t> CodeOf(const std::string& text, const std::vector<std::string>& flags = {"-o0"});

// The error lines ("Error on line ...") of a text.
std::string ErrorsOf(const std::string& text, const std::vector<std::string>& flags = {});

// Where each procedure's code starts among the code words.
std::vector<std::size_t> ProcedureStarts(const zarn::RunState& state);
