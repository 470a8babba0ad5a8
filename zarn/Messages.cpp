#include "zarn/Messages.h"

#include <cstdio>

namespace zarn {
namespace {

struct MessageText {
    ErrorCode code;
    const char* text;
    bool namesSubject;  // the text ends with the name or token the error is about
};

constexpr MessageText kMessages[] = {
    {kExpectedStaticVarDeclaration, "Expected static-var declaration", false},
    {kExpectedPieceDeclaration, "Expected piece declaration", false},
    {kExpectedProcDeclaration, "Expected proc declaration", false},
    {kExpectedIdentifierList, "Expected identifier list", false},
    {kExpectedSemicolon, "Expected ';'", false},
    {kNoneAfterDeclaration, "Specified \"none\" after declaration", false},
    {kExpectedIdentifier, "Expected identifier", false},
    {kExpectedProcName, "Expected proc name", false},
    {kMissingArgs, "Didn't specify args.  Use \"args none;\" if no arguments", false},
    {kExpectedArgumentList, "Expected argument list", false},
    {kMissingVar, "Didn't specify var.  Use \"var none;\" if no var", false},
    {kExpectedVarList, "Expected var list", false},
    {kExpectedBeginproc, "Expected \"beginproc\"", false},
    {kExpectedProcStart, "Expected proc start", false},
    {kExpectedProcBody, "Expected proc body", false},
    {kExpectedProcEnd, "Expected proc end", false},
    {kExpectedEndproc, "Expected \"endproc;\"", false},
    {kSemicolonAfterBeginproc, "Found ';' after \"beginproc\"", false},
    {kMissingSemicolonAfterEndproc, "Missing ';' after \"endproc\"", false},
    {kUnrecognizedTerm, "Unrecognized term, ", true},
    {kTooManyConversions, "Too many conversions", false},
    {kConvertedTwice, "Can't convert twice", false},
    {kIncompatibleConversions, "Incompatible conversion types", false},
    {kDuplicateDllExport, "Duplicate DLL Export Referenced (Symbol Collision)", false},
    {kDuplicateDllName, "Duplicate DLL Name Referenced (Symbol Collision)", false},
    {kExpectedOpenBrace, "Expected: '{'", false},
    {kExpectedDllExportList, "Expected DLL Export List", false},
    {kExpectedDllName, "Expected DLL Name", false},
    {kExpectedDll, "Expected \"dll\"", false},
    {kExpectedLinkedFunction, "Expected Linked Function", false},
    {kInvalidDllLinkSymbol, "Invalid DLL Link Symbol, ", true},
    {kErrorAtTopLevel, "Error At Top Level", false},
    {kUndefinedTerm, "Undefined term, ", true},
    {kInvalidString, "Invalid String ", true},
    {kWarningsTreatedAsErrors, "Warnings treated as errors (did you use the -e switch by mistake?)", false},
    {kDuplicateIdentifier, "Duplicate identifier found: ", true},
};

std::string Hex2(int code) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02X", code & 0xFF);
    return digits;
}

}  // namespace

std::string ErrorMessage(const ErrorEntry& error) {
    for (const MessageText& message : kMessages)
        if (message.code == error.code) return message.namesSubject ? message.text + error.subject : message.text;
    return "Unknown error";
}

std::string ErrorLine(const ErrorEntry& error) {
    return "Error on line " + std::to_string(error.line) + ": 0x" + Hex2(error.code) + " (" + ErrorMessage(error) +
           ")\n";
}

std::string WarningText(const Warning& warning) {
    std::string text = "Warning on line " + std::to_string(warning.line) + ": 0x" + Hex2(warning.kind);
    if (warning.kind == kWarningDuplicateString) text += " (Adding duplicate string to file)";
    return text;
}

}  // namespace zarn
