#pragma once

namespace zarn {

// The codes zarn prints as "0xNN"; the values are part of the output. Each has one row in the
// message table (Messages.cpp).
enum ErrorCode : int {
    kNoError = 0,
    kExpectedStaticVarDeclaration = 1,
    kExpectedPieceDeclaration = 2,
    kExpectedProcDeclaration = 3,
    kExpectedIdentifierList = 4,
    kExpectedSemicolon = 5,
    kNoneAfterDeclaration = 6,
    kExpectedIdentifier = 7,
    kExpectedProcName = 8,
    kMissingArgs = 9,
    kExpectedArgumentList = 10,
    kMissingVar = 11,
    kExpectedVarList = 12,
    kExpectedBeginproc = 13,
    kExpectedProcStart = 14,
    kExpectedProcBody = 15,
    kExpectedProcEnd = 16,
    kExpectedEndproc = 17,
    kSemicolonAfterBeginproc = 18,
    kMissingSemicolonAfterEndproc = 19,
    kUnrecognizedTerm = 20,
    kTooManyConversions = 21,
    kConvertedTwice = 22,
    kIncompatibleConversions = 23,
    kDuplicateDllExport = 24,
    kDuplicateDllName = 25,
    kExpectedOpenBrace = 26,
    kExpectedDllExportList = 27,
    kExpectedDllName = 28,
    kExpectedDll = 29,
    kExpectedLinkedFunction = 30,
    kInvalidDllLinkSymbol = 31,
    kErrorAtTopLevel = 32,
    kUndefinedTerm = 33,
    kInvalidString = 34,
    kWarningsTreatedAsErrors = 35,
    kDuplicateIdentifier = 36,
};

}  // namespace zarn
