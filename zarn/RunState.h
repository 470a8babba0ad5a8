#pragma once
#include "zarn/ErrorCodes.h"
#include "zarn/LinkList.h"
#include "zarn/Options.h"
#include "zarn/SymbolList.h"
#include "zarn/TokenList.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zarn {

enum SymbolListId { kPieces = 0, kStaticVars = 1, kProcedures = 2, kLocals = 3, kUnusedList = 4, kLabels = 5 };

// One recorded parse error; `subject` is the text its message names, for the codes that name one.
struct ErrorEntry {
    ErrorCode code = kNoError;
    int line = 0;
    std::string subject;
};

constexpr int kWarningDuplicateString = 1;

struct Warning {
    int line = 0;
    int kind = 0;
};

// Everything one assembly run builds, from the tokens to the code words. Each phase takes it in
// turn, so a process can assemble any number of files one after another.
struct RunState {
    Options options;
    std::string startTime;  // calendar text with its line break, for the log headers

    TokenList tokens;
    std::array<SymbolList, 6> symbols;
    std::vector<int> labelValues;  // parallel to symbols[kLabels]
    // The label of each label definition and jump target, in token order, so that code generation
    // need not look the labels up by text again.
    std::vector<int> labelUses;
    int procedureCount = 0;

    std::vector<ErrorEntry> errors;
    std::vector<Warning> warnings;

    LinkList dllSymbols;
    LinkList strings;
    std::string dllTable;
    std::string stringTable;

    std::vector<std::int32_t> code;
    // Parallel to `code`: whether a word is an instruction's own word (not an operand or "ddw"
    // data), and whether control can arrive at it other than from the word before it (a label or
    // the start of a procedure).
    std::vector<bool> instructionStarts;
    std::vector<bool> entryPoints;
    std::vector<std::int32_t> procedureLengths;
};

}  // namespace zarn
