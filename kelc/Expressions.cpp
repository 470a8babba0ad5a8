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

void TKELCompiler::Echo(int comment, const std::string& text) { currentScope_->AppendToLine(comment, text); }

void TKELCompiler::CompileExpression(int comment) {
    NestingGuard nesting(*this, expressionDepth_, "Expression nested too deeply");
    CompileOperatorLevel(0, comment);
}

void TKELCompiler::CompileOperatorLevel(std::size_t index, int comment) {
    if (index == operatorLevels_.size()) return CompileUnary(comment);
    const TOperatorLevel& level = *operatorLevels_[index];
    CompileOperatorLevel(index + 1, comment);
    for (bool first = true; first || level.chain; first = false) {
        const TOperator* match = nullptr;
        for (const TOperator& op : level.operators)
            if (scanner_->CurrentToken().kind == op.kind) match = &op;
        if (match == nullptr) return;
        scanner_->NextToken();
        Echo(comment, match->echo);
        CompileOperatorLevel(index + 1, comment);
        currentScope_->EmitLine(match->instruction);
    }
}

void TKELCompiler::CompileUnary(int comment) {
    const TTokenType op = scanner_->CurrentToken().kind;
    if (op != ttMinus && op != ttTilde && op != ttExclamation) return CompilePrimary(comment);
    Echo(comment, TokenKindName(op) + " ");
    scanner_->NextToken();
    if (op == ttMinus) {
        EmitPushConst(0);
        CompilePrimary(comment);
        currentScope_->EmitLine("sub;");
    } else {
        CompilePrimary(comment);
        currentScope_->EmitLine(op == ttExclamation && !mirroxCompatibility_ ? "not;" : "neg;");
    }
}

void TKELCompiler::CompilePrimary(int comment) {
    const TTokenData& token = scanner_->CurrentToken();
    switch (token.kind) {
        case ttIdentifier: return CompileIdentifierOperand(comment);
        case ttOpenParen:
            Echo(comment, "( ");
            scanner_->NextToken();
            CompileExpression(comment);
            Echo(comment, ") ");
            scanner_->Expect(ttCloseParen);
            return;
        case ttIncrement:
        case ttDecrement: {
            const bool increment = token.kind == ttIncrement;
            Echo(comment, increment ? "++ " : "-- ");
            scanner_->NextToken();
            TIdent& target = ReadTargetIdent(comment);
            EmitStep(target, increment);
            EmitPush(target);
            return;
        }
        case ttInteger:
        case ttHexInteger: {
            Echo(comment, token.text + " ");
            std::int32_t value = ConvertIntegerLiteral(token.text);
            EmitPushConst(value);
            scanner_->NextToken();
            return;
        }
        case ttFloat:
            Echo(comment, token.text + " ");
            AddMessage(svError, "Floatpoint values are not permitted in arbitrary locations " + token.text);
            currentScope_->EmitLine("pushc " + token.text + ";");
            scanner_->NextToken();
            return;
        case ttGet: return CompileGet(comment);
        case ttCallScript: return CompileCall(comment, true, true);
        case ttRand: return CompileRand(comment);
        default: scanner_->ExpectFailed("expression");
    }
}

void TKELCompiler::CompileIdentifierOperand(int comment) {
    const std::string name = scanner_->CurrentToken().text;
    bool namesFunction = false;
    TIdent* ident = FindIdent(name, namesFunction);
    Echo(comment, name + " ");
    if (namesFunction) return CompileCall(comment, true, false);
    if (ident == nullptr) ident = &DeclareUndeclared(name);
    EmitPush(*ident);
    scanner_->NextToken();
    const TTokenType postfix = scanner_->CurrentToken().kind;
    if (postfix == ttIncrement || postfix == ttDecrement) {
        Echo(comment, postfix == ttIncrement ? "++ " : "-- ");
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

void TKELCompiler::CompileGet(int comment) {
    Echo(comment, "Get ");
    scanner_->Expect(ttGet);
    CompileExpression(comment);
    if (scanner_->CurrentToken().kind == ttOpenParen) {
        CompileArgumentList(comment);
        currentScope_->EmitLine("get;");
    } else {
        currentScope_->EmitLine("getuv;");
    }
}

void TKELCompiler::CompileRand(int comment) {
    Echo(comment, "rand( ");
    scanner_->Expect(ttRand);
    scanner_->Expect(ttOpenParen);
    CompileExpression(comment);
    Echo(comment, ", ");
    scanner_->Expect(ttComma);
    CompileExpression(comment);
    Echo(comment, ") ");
    scanner_->Expect(ttCloseParen);
    currentScope_->EmitLine("rand;");
}

int TKELCompiler::CompileArgumentList(int comment, const std::function<void(int index)>& afterArgument) {
    Echo(comment, "( ");
    scanner_->Expect(ttOpenParen);
    int count = 0;
    while (!scanner_->Accept(ttCloseParen)) {
        CompileExpression(comment);
        if (afterArgument) afterArgument(count);
        ++count;
        if (!scanner_->Accept(ttComma)) {
            scanner_->Expect(ttCloseParen);
            break;
        }
        Echo(comment, ", ");
    }
    Echo(comment, " )");
    return count;
}

TIdent& TKELCompiler::ReadTargetIdent(int comment) {
    if (scanner_->CurrentToken().kind != ttIdentifier) scanner_->Expect(ttIdentifier);
    const std::string name = scanner_->CurrentToken().text;
    Echo(comment, name + " ");
    scanner_->NextToken();
    bool namesFunction = false;
    TIdent* ident = FindIdent(name, namesFunction);
    return ident != nullptr ? *ident : DeclareUndeclared(name);
}

void TKELCompiler::CompileAssignment() { CompileAssignmentClause(currentScope_->BeginCommentLine(""), false); }

void TKELCompiler::CompileAssignmentClause(int comment, bool postfixAllowed) {
    TIdent& target = ReadTargetIdent(comment);
    const TTokenType op = scanner_->CurrentToken().kind;
    if (op == ttAssign) {
        Echo(comment, "= ");
        scanner_->NextToken();
        CompileExpression(comment);
        EmitPop(target);
        return;
    }
    if (postfixAllowed && (op == ttIncrement || op == ttDecrement)) {
        Echo(comment, op == ttIncrement ? "++ " : "-- ");
        scanner_->NextToken();
        EmitStep(target, op == ttIncrement);
        return;
    }
    for (const TCompoundAssignment& compound : kCompoundAssignments) {
        if (compound.kind != op || (compound.needsExtensions && !enableExtensions_)) continue;
        scanner_->NextToken();
        Echo(comment, compound.echo);
        EmitPush(target);
        CompileExpression(comment);
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
void TKELCompiler::CompileStepClause(int comment, bool echoOperator) {
    const bool increment = scanner_->CurrentToken().kind == ttIncrement;
    if (echoOperator) Echo(comment, increment ? "++ " : "-- ");
    scanner_->NextToken();
    EmitStep(ReadTargetIdent(comment), increment);
}

}  // namespace kelc
