#pragma once

namespace zarn {

// Token kinds given by the parser. Mnemonic kinds 6 to 69 are listed in InstructionSet.cpp.
enum TokenKind : int {
    kUnclassified = 0,
    kStaticVarKeyword = 1,
    kPieceKeyword = 2,
    kProcKeyword = 3,
    kListComma = 4,
    kSemicolon = 5,
    kPushc = 25,
    kPushl = 26,
    kPushs = 27,
    kClv = 28,  // also every argument and local variable declaration
    kPopl = 30,
    kPops = 31,
    // The operators that constant folding computes.
    kAdd = 33,
    kSub = 34,
    kMul = 35,
    kDiv = 36,
    kAnd = 37,
    kOr = 38,
    kXor = 39,
    kNot = 40,
    kShl = 44,
    kSar = 45,
    kSetl = 46,
    kSetle = 47,
    kSetg = 48,
    kSetge = 49,
    kSete = 50,  // also "cmp"
    kSetne = 52,
    kLand = 53,
    kLor = 54,
    kLxor = 55,
    kNeg = 56,
    kJmp = 60,
    kJne = 62,
    kDdw = 70,
    kDecimal = 72,
    kFraction = 73,
    kLabelDefinition = 74,
    kArgsKeyword = 75,
    kVarKeyword = 76,
    kStructural = 77,  // none, beginproc, endproc and the colon of a label definition
    kProcName = 93,
    kStaticVarName = 94,
    kPieceName = 95,
    kHex = 112,
    kNop = 113,
    kLabelReference = 114,
    kAngle = 115,
    kLinear = 116,
    kFractionAngle = 117,
    kFractionLinear = 118,
    kNotMnemonic = 119,
    kCobalt = 120,
    kHexAngle = 121,
    kHexLinear = 122,
    kEmpty = 123,
    kInvoke = 124,
    kDllSymbol = 125,
    kPushString = 126,
    kStringOperand = 127,
    kStringDeclaration = 128,
    kDeclaredString = 129,
    // A reference to symbol i is kSymbolReference + i; the axes are symbols 0, 1 and 2.
    kSymbolReference = 16384,
};

}  // namespace zarn
