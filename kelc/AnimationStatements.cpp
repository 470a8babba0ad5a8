// Statements that drive the unit model and the script machine: each compiles its expression
// operands, emits one instruction, then a "ddw" line per piece or axis operand.
#include "kelc/KELCompiler.h"

namespace kelc {
namespace {

bool IsIntegerLiteral(TTokenType kind) { return kind == ttInteger || kind == ttHexInteger; }

}  // namespace

std::string TKELCompiler::ReadPieceOperand() {
    const TTokenData& token = scanner_->CurrentToken();
    const std::string text = token.text;
    if (token.kind == ttIdentifier) {
        bool namesFunction = false;
        TIdent* ident = FindIdent(text, namesFunction);
        if (ident == nullptr) {
            AddMessage(svError, "Undeclaired identifier, " + text);
            ident = &DeclareIdent(text, ikUndeclared);
        }
        if (ident->Kind != ikPiece) AddMessage(svError, "Expecting piece name, but found a unknown variable type");
    } else if (!IsIntegerLiteral(token.kind)) {
        AddMessage(svError, "Expecting piece name or value, but found a " + TokenKindName(token.kind));
    }
    scanner_->NextToken();
    return text;
}

std::string TKELCompiler::ReadAxisOperand() {
    const TTokenData& token = scanner_->CurrentToken();
    const std::string text = token.text;
    if (token.kind == ttIdentifier) {
        bool namesFunction = false;
        if (FindIdent(text, namesFunction) == nullptr)
            AddMessage(svError, "Expecting axis name or value, but found " + text);
    } else if (!IsIntegerLiteral(token.kind)) {
        AddMessage(svError, "Expecting axis name or value, but found a " + TokenKindName(token.kind));
    }
    scanner_->NextToken();
    return text;
}

// piece, "around" or "along", axis; echoed as written.
std::pair<std::string, std::string> TKELCompiler::ReadPieceAndAxis(int comment, TTokenType joiner) {
    std::string piece = ReadPieceOperand();
    scanner_->Expect(joiner);
    std::string axis = ReadAxisOperand();
    Echo(comment, piece + (joiner == ttAround ? " around " : " along ") + axis + " ");
    return {piece, axis};
}

void TKELCompiler::EmitDataWords(std::initializer_list<std::string> operands) {
    for (const std::string& operand : operands) currentScope_->EmitLine("ddw " + operand + ";");
}

bool TKELCompiler::CompileAnimationStatement() {
    TIdentScope& scope = *currentScope_;
    const TTokenType kind = scanner_->CurrentToken().kind;
    switch (kind) {
        case ttTurn:
        case ttMove: CompileTurnOrMove(kind == ttTurn); return true;
        case ttWaitForTurn:
        case ttWaitForMove: {
            const bool turn = kind == ttWaitForTurn;
            int comment = scope.BeginCommentLine(turn ? "wait-for-turn " : "wait-for-move ");
            scanner_->NextToken();
            const auto [piece, axis] = ReadPieceAndAxis(comment, turn ? ttAround : ttAlong);
            scope.EmitLine(turn ? "wait-for-turn;" : "wait-for-move;");
            EmitDataWords({piece, axis});
            return true;
        }
        case ttSpin: {
            int comment = scope.BeginCommentLine("spin ");
            scanner_->NextToken();
            const auto [piece, axis] = ReadPieceAndAxis(comment, ttAround);
            scanner_->Expect(ttSpeed);
            Echo(comment, "speed ");
            CompileExpression(comment);
            CompileOptionalOperand(ttAccelerate, "accelerate ", comment);
            scope.EmitLine("spin;");
            EmitDataWords({piece, axis});
            return true;
        }
        case ttStopSpin: {
            int comment = scope.BeginCommentLine("stop-spin ");
            scanner_->NextToken();
            const auto [piece, axis] = ReadPieceAndAxis(comment, ttAround);
            CompileOptionalOperand(ttDecelerate, "decelerate ", comment);
            scope.EmitLine("stop-spin;");
            EmitDataWords({piece, axis});
            return true;
        }
        case ttHide: CompilePieceStatement("hide ", "hide;"); return true;
        case ttShow: CompilePieceStatement("show ", "show;"); return true;
        case ttCache: CompilePieceStatement("cache  ", "cache;"); return true;
        case ttDontCache: CompilePieceStatement("dont-cache  ", "dont-cache;"); return true;
        case ttShade: CompilePieceStatement("shade  ", "shade;"); return true;
        case ttDontShade: CompilePieceStatement("dont-shade  ", "dont-shade;"); return true;
        case ttExplode: {
            int comment = scope.BeginCommentLine("explode ");
            scanner_->NextToken();
            const std::string piece = ReadPieceOperand();
            Echo(comment, piece + " type ");
            scanner_->Expect(ttType);
            CompileExpression(comment);
            scope.EmitLine("explode;");
            EmitDataWords({piece});
            return true;
        }
        case ttEmitSfx: {
            int comment = scope.BeginCommentLine("emit-sfx ");
            scanner_->NextToken();
            CompileExpression(comment);
            scanner_->Expect(ttFrom);
            const std::string piece = ReadPieceOperand();
            Echo(comment, "from " + piece + " ");
            scope.EmitLine("sfx; ");
            EmitDataWords({piece});
            return true;
        }
        case ttSet: {
            int selector = scope.BeginCommentLine("Set ");
            scanner_->NextToken();
            CompileExpression(selector);
            scanner_->Expect(ttTo);
            int value = scope.BeginCommentLine("to ");
            CompileExpression(value);
            scope.EmitLine("set;");
            return true;
        }
        case ttSleep: CompileExpressionStatement("sleep ", "sleep;"); return true;
        case ttSignal: CompileExpressionStatement("signal ", "sig;"); return true;
        case ttSetSignalMask: CompileExpressionStatement("set-signal-mask ", "mask;"); return true;
        case ttDropUnit: CompileExpressionStatement("drop-unit ", "drop;"); return true;
        case ttAttachUnit: {
            int comment = scope.BeginCommentLine("attach-unit ");
            scanner_->NextToken();
            CompileExpression(comment);
            Echo(comment, "to ");
            if (scanner_->Accept(ttTo))
                CompileExpression(comment);
            else
                EmitPushConst(-1);
            EmitPushConst(0);
            scope.EmitLine("attach;");
            return true;
        }
        default: return false;
    }
}

// The destination is written before the speed, but the speed must be pushed first: both
// operands are captured in snippets and flushed in swapped order.
void TKELCompiler::CompileTurnOrMove(bool turn) {
    TIdentScope& scope = *currentScope_;
    int comment = scope.BeginCommentLine(turn ? "turn " : "move ");
    scanner_->NextToken();
    const std::string piece = ReadPieceOperand();
    Echo(comment, piece + " to ");
    scanner_->Expect(ttTo);
    const std::string axis = ReadAxisOperand();
    Echo(comment, axis + " ");
    bool withSpeed = false;
    {
        TCodeSnipet destination(scope, false), speed(scope, false);
        destination.Activate(scope.Snippet->NextLineNumber(), TCodeSnipet::kOpenEnd);
        CompileExpression(comment);
        if (scanner_->Accept(ttSpeed)) {
            withSpeed = true;
            Echo(comment, "speed ");
            speed.Activate(comment + 1, TCodeSnipet::kOpenEnd);
            CompileExpression(comment);
        }
        speed.Deactivate();
        destination.Deactivate();
        speed.Flush();
        destination.Flush();
    }
    if (withSpeed) {
        scope.EmitLine(turn ? "turn;" : "move;");
    } else {
        scanner_->Expect(ttNow);
        Echo(comment, turn ? "now " : "Now ");
        scope.EmitLine(turn ? "turnnow;" : "movenow;");
    }
    EmitDataWords({piece, axis});
}

void TKELCompiler::CompilePieceStatement(const std::string& echo, const std::string& instruction) {
    int comment = currentScope_->BeginCommentLine(echo);
    scanner_->NextToken();
    const std::string piece = ReadPieceOperand();
    Echo(comment, piece + " ");
    currentScope_->EmitLine(instruction);
    EmitDataWords({piece});
}

void TKELCompiler::CompileExpressionStatement(const std::string& echo, const std::string& instruction) {
    int comment = currentScope_->BeginCommentLine(echo);
    scanner_->NextToken();
    CompileExpression(comment);
    currentScope_->EmitLine(instruction);
}

// An optional keyword with its expression, or `pushc 0;` when the keyword is absent.
void TKELCompiler::CompileOptionalOperand(TTokenType keyword, const std::string& echo, int comment) {
    if (scanner_->Accept(keyword)) {
        Echo(comment, echo);
        CompileExpression(comment);
    } else {
        EmitPushConst(0);
    }
}

}  // namespace kelc
