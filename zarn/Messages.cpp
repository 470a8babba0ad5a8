#include "zarn/Messages.h"

#include <cstdio>

namespace zarn {
namespace {

constexpr const char* kMessages[] = {
    "",
    "Expected static-var declaration",
    "Expected piece declaration",
    "Expected proc declaration",
    "Expected identifier list",
    "Expected ';'",
    "Specified \"none\" after declaration",
    "Expected identifier",
    "Expected proc name",
    "Didn't specify args.  Use \"args none;\" if no arguments",
    "Expected argument list",
    "Didn't specify var.  Use \"var none;\" if no var",
    "Expected var list",
    "Expected \"beginproc\"",
    "Expected proc start",
    "Expected proc body",
    "Expected proc end",
    "Expected \"endproc;\"",
    "Found ';' after \"beginproc\"",
    "Missing ';' after \"endproc\"",
    "Unrecognized term, ",
    "Too many conversions",
    "Can't convert twice",
    "Incompatible conversion types",
    "Duplicate DLL Export Referenced (Symbol Collision)",
    "Duplicate DLL Name Referenced (Symbol Collision)",
    "Expected: '{'",
    "Expected DLL Export List",
    "Expected DLL Name",
    "Expected \"dll\"",
    "Expected Linked Function",
    "Invalid DLL Link Symbol, ",
    "Error At Top Level",
    "Undefined term, ",
    "Invalid String ",
    "Warnings treated as errors (did you use the -e switch by mistake?)",
    "Duplicate identifier found: ",
};

bool NamesSubject(int code) { return code == 20 || code == 31 || code == 33 || code == 34 || code == 36; }

std::string Hex2(int code) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02X", code & 0xFF);
    return digits;
}

}  // namespace

std::string ErrorMessage(const ErrorEntry& error) {
    constexpr int kCount = static_cast<int>(sizeof kMessages / sizeof kMessages[0]);
    if (error.code <= 0 || error.code >= kCount) return "Unknown error";
    std::string text = kMessages[error.code];
    if (NamesSubject(error.code)) text += error.subject;
    return text;
}

std::string ErrorLine(const ErrorEntry& error) {
    return "Error on line " + std::to_string(error.line) + ": 0x" + Hex2(error.code) + " (" + ErrorMessage(error) +
           ")\n";
}

std::string WarningMessage(const Warning& warning) {
    return warning.kind == kWarningDuplicateString ? "Adding duplicate string to file" : "Warning 0x" + Hex2(warning.kind);
}

std::string WarningText(const Warning& warning) {
    std::string text = "Warning on line " + std::to_string(warning.line) + ": 0x" + Hex2(warning.kind);
    if (warning.kind == kWarningDuplicateString) text += " (" + WarningMessage(warning) + ")";
    return text;
}

}  // namespace zarn
