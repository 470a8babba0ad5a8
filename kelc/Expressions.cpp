// Expressions compile to stack code by recursive descent over a table of operator levels; every
// operand and operator also echoes its source text into the statement's comment line.
#include "kelc/CompileError.h"
#include "kelc/KELCompiler.h"
#include "kelc/NestingGuard.h"

namespace kelc {

struct TOperator {
    TTokenType kind;
    const char* echo;
    const char* instruction;
};

struct TOperatorLevel {
    std::vector<TOperator> operators;
    bool chain;  // a left-associative chain, or at most one operator
};

namespace {

const TOperatorLevel kLogicalOr{{{ttLogicalOr, "|| ", "lor;"}}, true};
const TOperatorLevel kLogicalXor{{{ttLogicalXor, "^^ ", "lxor;"}}, true};
const TOperatorLevel kLogicalAnd{{{ttLogicalAnd, "&& ", "land;"}}, true};
const TOperatorLevel kBitAnd{{{ttBitAnd, "& ", "and;"}}, true};
const TOperatorLevel kBitXor{{{ttBitXor, "^ ", "xor;"}}, true};
const TOperatorLevel kBitOr{{{ttBitOr, "| ", "or;"}}, true};
const TOperatorLevel kEquality{{{ttEqual, "== ", "cmp;"}, {ttNotEqual, "!= ", "setne;"}}, false};
const TOperatorLevel kRelation{{{ttGreater, "> ", "setg;"},
                                {ttGreaterEqual, ">= ", "setge;"},
                                {ttLess, "< ", "setl;"},
                                {ttLessEqual, "<= ", "setle;"}},
                               false};
const TOperatorLevel kShift{{{ttShiftLeft, "<< ", "shl;"}, {ttShiftRight, ">> ", "sar;"}}, true};
const TOperatorLevel kAdditive{{{ttPlus, "+ ", "add;"}, {ttMinus, "- ", "sub;"}}, true};
const TOperatorLevel kMultiplicative{{{ttStar, "* ", "mul;"}, {ttSlash, "\\ ", "div;"}}, true};

struct TCompoundAssignment {
    TTokenType kind;
    const char* echo;
    const char* instruction;
    bool needsExtensions;
};

const TCompoundAssignment kCompoundAssignments[] = {
    {ttPlusAssign, "+= ", "add;", false},        {ttMinusAssign, "-= ", "sub;", false},
    {ttSlashAssign, "/= ", "div;", false},       {ttStarAssign, "*= ", "mul;", false},
    {ttLogicalOrAssign, "||= ", "lor;", false},  {ttLogicalXorAssign, "^^= ", "lxor;", false},
    {ttLogicalAndAssign, "&&= ", "land;", false}, {ttBitOrAssign, "|= ", "or;", false},
    {ttBitXorAssign, "^= ", "xor;", false},      {ttBitAndAssign, "&= ", "and;", false},
    {ttShiftLeftAssign, "<<= ", "shl;", true},   {ttShiftRightAssign, ">>= ", "sar;", true},
};

}  // namespace

std::vector<const TOperatorLevel*> OperatorLevels(bool mirroxCompatibility, bool enableExtensions) {
    std::vector<const TOperatorLevel*> levels;
    // The compatibility order binds "&&" loosest and "||" tightest of the three.
    if (mirroxCompatibility)
        levels = {&kLogicalAnd, &kLogicalXor, &kLogicalOr};
    else
        levels = {&kLogicalOr, &kLogicalXor, &kLogicalAnd};
    levels.insert(levels.end(), {&kBitAnd, &kBitXor, &kBitOr, &kEquality, &kRelation});
    if (enableExtensions) levels.push_back(&kShift);
    levels.insert(levels.end(), {&kAdditive, &kMultiplicative});
    return levels;
}

void TKELCompiler::Echo(int commentLine, const std::string& text) { currentScope_->AppendToLine(commentLine, text); }

std::string TKELCompiler::OriginTag(const TTokenData& token) {
    return originTags_ ? originTags_->Tag(token) : std::string();
}

void TKELCompiler::CompileExpression(int commentLine) {
    NestingGuard nesting(*this, expressionDepth_, "Expression nested too deeply");
    CompileOperatorLevel(0, commentLine);
}

void TKELCompiler::CompileOperatorLevel(std::size_t index, int commentLine) {
    if (index == operatorLevels_.size()) return CompileUnary(commentLine);
    const TOperatorLevel& level = *operatorLevels_[index];
    CompileOperatorLevel(index + 1, commentLine);
    for (bool first = true; first || level.chain; first = false) {
        const TOperator* match = nullptr;
        for (const TOperator& op : level.operators)
            if (scanner_->CurrentToken().kind == op.kind) match = &op;
        if (match == nullptr) return;
        scanner_->NextToken();
        Echo(commentLine, match->echo);
        CompileOperatorLevel(index + 1, commentLine);
        currentScope_->EmitLine(match->instruction);
    }
}

void TKELCompiler::CompileUnary(int commentLine) {
    const TTokenType op = scanner_->CurrentToken().kind;
    if (op != ttMinus && op != ttTilde && op != ttExclamation) return CompilePrimary(commentLine);
    Echo(commentLine, TokenKindName(op) + " ");
    scanner_->NextToken();
    if (op == ttMinus) {
        EmitPushConst(0);
        CompilePrimary(commentLine);
        currentScope_->EmitLine("sub;");
    } else {
        CompilePrimary(commentLine);
        currentScope_->EmitLine(op == ttExclamation && !mirroxCompatibility_ ? "not;" : "neg;");
    }
}

void TKELCompiler::CompilePrimary(int commentLine) {
    const TTokenData& token = scanner_->CurrentToken();
    switch (token.kind) {
        case ttIdentifier: return CompileIdentifierOperand(commentLine);
        case ttOpenParen:
            Echo(commentLine, "( ");
            scanner_->NextToken();
            CompileExpression(commentLine);
            Echo(commentLine, ") ");
            scanner_->Expect(ttCloseParen);
            return;
        case ttIncrement:
        case ttDecrement: {
            const bool increment = token.kind == ttIncrement;
            Echo(commentLine, increment ? "++ " : "-- ");
            scanner_->NextToken();
            TIdent& target = ReadTargetIdent(commentLine);
            EmitStep(target, increment);
            EmitPush(target);
            return;
        }
        case ttInteger:
        case ttHexInteger: {
            Echo(commentLine, token.text + " ");
            std::int32_t value = ConvertIntegerLiteral(token.text);
            EmitPushConst(value);
            scanner_->NextToken();
            return;
        }
        case ttFloat:
            Echo(commentLine, token.text + " ");
            AddMessage(svError, "Floatpoint values are not permitted in arbitrary locations " + token.text);
            currentScope_->EmitLine({"pushc ", token.text, ";"});
            scanner_->NextToken();
            return;
        case ttGet: return CompileGet(commentLine);
        case ttCallScript: return CompileCall(commentLine, true, true);
        case ttRand: return CompileRand(commentLine);
        default: scanner_->ExpectFailed("expression");
    }
}

void TKELCompiler::CompileIdentifierOperand(int commentLine) {
    const std::string name = scanner_->CurrentToken().text;
    bool namesFunction = false;
    TIdent* ident = FindIdent(name, namesFunction);
    Echo(commentLine, name + " ");
    if (namesFunction) return CompileCall(commentLine, true, false);
    if (ident == nullptr) ident = &DeclareUndeclared(name);
    EmitPush(*ident);
    scanner_->NextToken();
    const TTokenType postfix = scanner_->CurrentToken().kind;
    if (postfix == ttIncrement || postfix == ttDecrement) {
        Echo(commentLine, postfix == ttIncrement ? "++ " : "-- ");
        scanner_->NextToken();
        EmitStep(*ident, postfix == ttIncrement);  // the value left is the one before the step
    }
}

// Adds or subtracts 1 from a variable.
void TKELCompiler::EmitStep(const TIdent& target, bool increment) {
    EmitPush(target);
    EmitPushConst(1);
    currentScope_->EmitLine(increment ? "add;" : "sub;");
    EmitPop(target);
}

void TKELCompiler::CompileGet(int commentLine) {
    Echo(commentLine, "Get ");
    scanner_->Expect(ttGet);
    CompileExpression(commentLine);
    if (scanner_->CurrentToken().kind == ttOpenParen) {
        CompileArgumentList(commentLine);
        currentScope_->EmitLine("get;");
    } else {
        currentScope_->EmitLine("getuv;");
    }
}

void TKELCompiler::CompileRand(int commentLine) {
    Echo(commentLine, "rand( ");
    scanner_->Expect(ttRand);
    scanner_->Expect(ttOpenParen);
    CompileExpression(commentLine);
    Echo(commentLine, ", ");
    scanner_->Expect(ttComma);
    CompileExpression(commentLine);
    Echo(commentLine, ") ");
    scanner_->Expect(ttCloseParen);
    currentScope_->EmitLine("rand;");
}

int TKELCompiler::CompileArgumentList(int commentLine, const std::function<void(int index)>& afterArgument) {
    Echo(commentLine, "( ");
    scanner_->Expect(ttOpenParen);
    int count = 0;
    while (!scanner_->Accept(ttCloseParen)) {
        CompileExpression(commentLine);
        if (afterArgument) afterArgument(count);
        ++count;
        if (!scanner_->Accept(ttComma)) {
            scanner_->Expect(ttCloseParen);
            break;
        }
        Echo(commentLine, ", ");
    }
    Echo(commentLine, " )");
    return count;
}

TIdent& TKELCompiler::ReadTargetIdent(int commentLine) {
    if (scanner_->CurrentToken().kind != ttIdentifier) scanner_->Expect(ttIdentifier);
    const std::string name = scanner_->CurrentToken().text;
    Echo(commentLine, name + " ");
    scanner_->NextToken();
    bool namesFunction = false;
    TIdent* ident = FindIdent(name, namesFunction);
    return ident != nullptr ? *ident : DeclareUndeclared(name);
}

void TKELCompiler::CompileAssignment() { CompileAssignmentClause(currentScope_->BeginCommentLine(""), false); }

void TKELCompiler::CompileAssignmentClause(int commentLine, bool postfixAllowed) {
    TIdent& target = ReadTargetIdent(commentLine);
    const TTokenType op = scanner_->CurrentToken().kind;
    if (op == ttAssign) {
        Echo(commentLine, "= ");
        scanner_->NextToken();
        CompileExpression(commentLine);
        EmitPop(target);
        return;
    }
    if (postfixAllowed && (op == ttIncrement || op == ttDecrement)) {
        Echo(commentLine, op == ttIncrement ? "++ " : "-- ");
        scanner_->NextToken();
        EmitStep(target, op == ttIncrement);
        return;
    }
    for (const TCompoundAssignment& compound : kCompoundAssignments) {
        if (compound.kind != op || (compound.needsExtensions && !enableExtensions_)) continue;
        scanner_->NextToken();
        Echo(commentLine, compound.echo);
        EmitPush(target);
        CompileExpression(commentLine);
        currentScope_->EmitLine(compound.instruction);
        EmitPop(target);
        return;
    }
    AddMessage(svFatalError, "Expecting assignment type");
}

void TKELCompiler::CompileStepStatement() {
    const bool increment = scanner_->CurrentToken().kind == ttIncrement;
    CompileStepClause(currentScope_->BeginCommentLine(increment ? "++ " : "-- "), false);
}

// "++" or "--" and a variable; the comment line already holds the operator's echo when `echoOperator`
// is false.
void TKELCompiler::CompileStepClause(int commentLine, bool echoOperator) {
    const bool increment = scanner_->CurrentToken().kind == ttIncrement;
    if (echoOperator) Echo(commentLine, increment ? "++ " : "-- ");
    scanner_->NextToken();
    EmitStep(ReadTargetIdent(commentLine), increment);
}

}  // namespace kelc
