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
        if (ident == nullptr) ident = &DeclareUndeclared(text);
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
std::pair<std::string, std::string> TKELCompiler::ReadPieceAndAxis(int commentLine, TTokenType joiner) {
    std::string piece = ReadPieceOperand();
    scanner_->Expect(joiner);
    std::string axis = ReadAxisOperand();
    Echo(commentLine, piece + (joiner == ttAround ? " around " : " along ") + axis + " ");
    return {piece, axis};
}

void TKELCompiler::EmitDataWords(std::initializer_list<std::string> operands) {
    for (const std::string& operand : operands) currentScope_->EmitLine({"ddw ", operand, ";"});
}

bool TKELCompiler::CompileAnimationStatement() {
    switch (scanner_->CurrentToken().kind) {
        case ttTurn: CompileTurnOrMove(true); return true;
        case ttMove: CompileTurnOrMove(false); return true;
        case ttWaitForTurn: CompileWait(true); return true;
        case ttWaitForMove: CompileWait(false); return true;
        case ttSpin: CompileSpin(); return true;
        case ttStopSpin: CompileStopSpin(); return true;
        case ttHide: CompilePieceStatement("hide ", "hide;"); return true;
        case ttShow: CompilePieceStatement("show ", "show;"); return true;
        case ttCache: CompilePieceStatement("cache  ", "cache;"); return true;
        case ttDontCache: CompilePieceStatement("dont-cache  ", "dont-cache;"); return true;
        case ttShade: CompilePieceStatement("shade  ", "shade;"); return true;
        case ttDontShade: CompilePieceStatement("dont-shade  ", "dont-shade;"); return true;
        case ttExplode: CompileExplode(); return true;
        case ttEmitSfx: CompileEmitSfx(); return true;
        case ttSet: CompileSet(); return true;
        case ttSleep: CompileExpressionStatement("sleep ", "sleep;"); return true;
        case ttSignal: CompileExpressionStatement("signal ", "sig;"); return true;
        case ttSetSignalMask: CompileExpressionStatement("set-signal-mask ", "mask;"); return true;
        case ttDropUnit: CompileExpressionStatement("drop-unit ", "drop;"); return true;
        case ttAttachUnit: CompileAttachUnit(); return true;
        default: return false;
    }
}

// wait-for-turn piece around axis; wait-for-move piece along axis
void TKELCompiler::CompileWait(bool turn) {
    int commentLine = currentScope_->BeginCommentLine(turn ? "wait-for-turn " : "wait-for-move ");
    scanner_->NextToken();
    const auto [piece, axis] = ReadPieceAndAxis(commentLine, turn ? ttAround : ttAlong);
    currentScope_->EmitLine(turn ? "wait-for-turn;" : "wait-for-move;");
    EmitDataWords({piece, axis});
}

// spin piece around axis speed expression [accelerate expression]
void TKELCompiler::CompileSpin() {
    int commentLine = currentScope_->BeginCommentLine("spin ");
    scanner_->NextToken();
    const auto [piece, axis] = ReadPieceAndAxis(commentLine, ttAround);
    scanner_->Expect(ttSpeed);
    Echo(commentLine, "speed ");
    CompileExpression(commentLine);
    CompileOptionalOperand(ttAccelerate, "accelerate ", commentLine);
    currentScope_->EmitLine("spin;");
    EmitDataWords({piece, axis});
}

// stop-spin piece around axis [decelerate expression]
void TKELCompiler::CompileStopSpin() {
    int commentLine = currentScope_->BeginCommentLine("stop-spin ");
    scanner_->NextToken();
    const auto [piece, axis] = ReadPieceAndAxis(commentLine, ttAround);
    CompileOptionalOperand(ttDecelerate, "decelerate ", commentLine);
    currentScope_->EmitLine("stop-spin;");
    EmitDataWords({piece, axis});
}

// explode piece type expression
void TKELCompiler::CompileExplode() {
    int commentLine = currentScope_->BeginCommentLine("explode ");
    scanner_->NextToken();
    const std::string piece = ReadPieceOperand();
    Echo(commentLine, piece + " type ");
    scanner_->Expect(ttType);
    CompileExpression(commentLine);
    currentScope_->EmitLine("explode;");
    EmitDataWords({piece});
}

// emit-sfx expression from piece
void TKELCompiler::CompileEmitSfx() {
    int commentLine = currentScope_->BeginCommentLine("emit-sfx ");
    scanner_->NextToken();
    CompileExpression(commentLine);
    scanner_->Expect(ttFrom);
    const std::string piece = ReadPieceOperand();
    Echo(commentLine, "from " + piece + " ");
    currentScope_->EmitLine("sfx; ");
    EmitDataWords({piece});
}

// set expression to expression; each operand echoes into a comment line of its own
void TKELCompiler::CompileSet() {
    int selector = currentScope_->BeginCommentLine("Set ");
    scanner_->NextToken();
    CompileExpression(selector);
    scanner_->Expect(ttTo);
    int value = currentScope_->BeginCommentLine("to ");
    CompileExpression(value);
    currentScope_->EmitLine("set;");
}

// attach-unit expression [to expression]; without a piece the unit is attached to piece -1
void TKELCompiler::CompileAttachUnit() {
    int commentLine = currentScope_->BeginCommentLine("attach-unit ");
    scanner_->NextToken();
    CompileExpression(commentLine);
    Echo(commentLine, "to ");
    if (scanner_->Accept(ttTo))
        CompileExpression(commentLine);
    else
        EmitPushConst(-1);
    EmitPushConst(0);
    currentScope_->EmitLine("attach;");
}

// The destination is written before the speed, but the speed must be pushed first: both
// operands are captured in snippets and flushed in swapped order.
void TKELCompiler::CompileTurnOrMove(bool turn) {
    TIdentScope& scope = *currentScope_;
    int commentLine = scope.BeginCommentLine(turn ? "turn " : "move ");
    scanner_->NextToken();
    const std::string piece = ReadPieceOperand();
    Echo(commentLine, piece + " to ");
    scanner_->Expect(ttTo);
    const std::string axis = ReadAxisOperand();
    Echo(commentLine, axis + " ");
    bool withSpeed = false;
    {
        TCodeSnipet destination(scope, false), speed(scope, false);
        destination.Activate(scope.Snippet->NextLineNumber(), TCodeSnipet::kOpenEnd);
        CompileExpression(commentLine);
        if (scanner_->Accept(ttSpeed)) {
            withSpeed = true;
            Echo(commentLine, "speed ");
            speed.Activate(commentLine + 1, TCodeSnipet::kOpenEnd);
            CompileExpression(commentLine);
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
        Echo(commentLine, turn ? "now " : "Now ");
        scope.EmitLine(turn ? "turnnow;" : "movenow;");
    }
    EmitDataWords({piece, axis});
}

void TKELCompiler::CompilePieceStatement(const std::string& echo, const std::string& instruction) {
    int commentLine = currentScope_->BeginCommentLine(echo);
    scanner_->NextToken();
    const std::string piece = ReadPieceOperand();
    Echo(commentLine, piece + " ");
    currentScope_->EmitLine(instruction);
    EmitDataWords({piece});
}

void TKELCompiler::CompileExpressionStatement(const std::string& echo, const std::string& instruction) {
    int commentLine = currentScope_->BeginCommentLine(echo);
    scanner_->NextToken();
    CompileExpression(commentLine);
    currentScope_->EmitLine(instruction);
}

// An optional keyword with its expression, or `pushc 0;` when the keyword is absent.
void TKELCompiler::CompileOptionalOperand(TTokenType keyword, const std::string& echo, int commentLine) {
    if (scanner_->Accept(keyword)) {
        Echo(commentLine, echo);
        CompileExpression(commentLine);
    } else {
        EmitPushConst(0);
    }
}

}  // namespace kelc
