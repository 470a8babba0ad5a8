// Blocks, the statement dispatcher, local variables, inline assembly and control flow. Every
// statement first writes a comment line echoing its source.
#include "kelc/KELCompiler.h"
#include "kelc/NestingGuard.h"

namespace kelc {
namespace {

// Raises a scope's indentation for as long as it lives.
class IndentGuard {
public:
    explicit IndentGuard(TIdentScope& scope) : scope_(scope) { scope_.Indent += 2; }
    ~IndentGuard() { scope_.Indent -= 2; }
    IndentGuard(const IndentGuard&) = delete;
    IndentGuard& operator=(const IndentGuard&) = delete;

private:
    TIdentScope& scope_;
};

}  // namespace

// Saves the innermost loop's labels and puts them back however the loop's compilation ends.
class TKELCompiler::LoopGuard {
public:
    explicit LoopGuard(TLoopContext& loop) : loop_(loop), saved_(loop) { loop_.ContinueUsed = false; }
    ~LoopGuard() { loop_ = saved_; }
    LoopGuard(const LoopGuard&) = delete;
    LoopGuard& operator=(const LoopGuard&) = delete;

private:
    TLoopContext& loop_;
    TLoopContext saved_;
};

void TKELCompiler::CompileBlock(bool bracesRequired) {
    NestingGuard nesting(*this, blockDepth_, "Statements nested too deeply");
    TIdentScope& scope = *currentScope_;
    IndentGuard indent(scope);
    const bool braces = bracesRequired ? (scanner_->Expect(ttOpenBrace), true) : scanner_->Accept(ttOpenBrace);
    if (!braces) {
        CompileStatement();
        return;
    }
    scope.EmitLine("// {");
    while (CompileStatement()) {
    }
    scanner_->Expect(ttCloseBrace);
    scope.EmitLine("// }");
}

bool TKELCompiler::CompileStatement() {
    switch (scanner_->CurrentToken().kind) {
        case ttIdentifier: CompileAssignment(); return true;
        case ttSemicolon: scanner_->NextToken(); return true;
        case ttIncrement:
        case ttDecrement: CompileStepStatement(); return true;
        case ttVar: CompileVarDeclaration(); return true;
        case ttConst: CompileConstants(); return true;
        case ttAsmBlock: CompileAsmBlock(); return true;
        case ttIf: CompileIf(); return true;
        case ttWhile: CompileWhile(); return true;
        case ttDo: CompileDoWhile(); return true;
        case ttFor: CompileFor(); return true;
        case ttBreak: CompileBreak(); return true;
        case ttContinue: CompileContinue(); return true;
        case ttReturn: CompileReturn(true); return true;
        case ttCallScript: CompileCall(0, false, true); return true;
        case ttStartScript: CompileStartScript(); return true;
        default: return CompileAnimationStatement();
    }
}

void TKELCompiler::CompileVarDeclaration() {
    scanner_->Expect(ttVar);
    do {
        if (scanner_->CurrentToken().kind != ttIdentifier) scanner_->Expect(ttIdentifier);
        TIdent& variable = DeclareIdent(scanner_->CurrentToken().text, ikLocalVariable);
        scanner_->NextToken();
        if (scanner_->CurrentToken().kind == ttAssign) {
            scanner_->NextToken();
            int commentLine = currentScope_->BeginCommentLine("MakeLocalVar " + variable.Name + " = ( ");
            CompileExpression(commentLine);
            Echo(commentLine, ");");
            EmitPop(variable);
        }
    } while (scanner_->Accept(ttComma));
    scanner_->Expect(ttSemicolon);
}

void TKELCompiler::CompileAsmBlock() {
    TIdentScope& scope = *currentScope_;
    scope.BeginCommentLine("__zarn");
    scanner_->Expect(ttAsmBlock);
    IndentGuard indent(scope);
    struct CloseComment {
        TIdentScope& scope;
        ~CloseComment() { scope.BeginCommentLine("}"); }
    } close{scope};
    scope.BeginCommentLine("{");
    scanner_->Expect(ttOpenBrace);
    // Tokens pass through joined by blanks, one line per ";"; the assembler checks them.
    while (!scanner_->Accept(ttCloseBrace)) {
        std::string text;
        const TTokenData start = scanner_->CurrentToken();
        bool blockEnded = false;
        while (!scanner_->Accept(ttSemicolon)) {
            if (scanner_->Accept(ttCloseBrace)) {
                blockEnded = true;
                break;
            }
            if (scanner_->Accept(ttColon)) {
                // "name:" is a label definition, a line of its own so inlined copies rename it.
                if (text.empty()) text = ":";
                else text.back() = ':';
                if (text.find(' ') == std::string::npos) {
                    scope.EmitLine(text);
                    text.clear();
                } else {
                    text += ' ';
                }
                continue;
            }
            text += scanner_->CurrentToken().text + " ";
            scanner_->NextToken();
        }
        if (!text.empty()) text.pop_back();
        if (blockEnded && text.empty()) break;  // nothing after a final label
        scope.EmitLine({text, ";", OriginTag(start)});
        if (blockEnded) break;
    }
}

void TKELCompiler::CompileIf() {
    TIdentScope& scope = *currentScope_;
    int commentLine = scope.BeginCommentLine("if ( ");
    const std::string label = NewLabel();
    scanner_->Expect(ttIf);
    scanner_->Expect(ttOpenParen);
    CompileExpression(commentLine);
    scope.EmitLine({"jnz iflabel_", label, ";"});
    scanner_->Expect(ttCloseParen);
    Echo(commentLine, " )");
    CompileBlock(false);
    if (scanner_->Accept(ttElse)) {
        scope.BeginCommentLine("else");
        const std::string endLabel = NewLabel();
        scope.EmitLine({"jmp if_end_label_", endLabel, ";"});
        scope.EmitLine({"iflabel_", label, ":"});
        CompileBlock(false);
        scope.EmitLine({"if_end_label_", endLabel, ":"});
    } else {
        scope.EmitLine({"iflabel_", label, ":"});
    }
    scope.EmitLine("");
}

void TKELCompiler::CompileWhile() {
    TIdentScope& scope = *currentScope_;
    int commentLine = scope.BeginCommentLine("While (");
    LoopGuard guard(loop_);
    loop_.ContinueLabel = "ConditionLabel_" + NewLabel();
    loop_.BreakLabel = "TerminatorLabel_" + NewLabel();
    scope.EmitLine({loop_.ContinueLabel, ":"});
    scanner_->Expect(ttWhile);
    scanner_->Expect(ttOpenParen);
    CompileExpression(commentLine);
    scope.EmitLine({"jnz ", loop_.BreakLabel, ";"});
    scanner_->Expect(ttCloseParen);
    Echo(commentLine, " ) ");
    CompileBlock(false);
    scope.EmitLine({"jmp ", loop_.ContinueLabel, ";"});
    scope.EmitLine({loop_.BreakLabel, ":"});
    scope.EmitLine("");
}

// A continue jumps to the condition test, whose label is written only when a continue used it.
void TKELCompiler::CompileDoWhile() {
    TIdentScope& scope = *currentScope_;
    LoopGuard guard(loop_);
    const std::string topLabel = "ConditionLabel_" + NewLabel();
    loop_.BreakLabel = "TerminatorLabel_" + NewLabel();
    loop_.ContinueLabel = "ContinueLabel_" + NewLabel();
    scope.EmitLine({topLabel, ":"});
    scope.BeginCommentLine("Do");
    scanner_->Expect(ttDo);
    CompileBlock(false);
    int commentLine = scope.BeginCommentLine("while (");
    if (loop_.ContinueUsed) scope.EmitLine({loop_.ContinueLabel, ":"});
    scanner_->Expect(ttWhile);
    scanner_->Expect(ttOpenParen);
    CompileExpression(commentLine);
    scope.EmitLine("neg;");
    scope.EmitLine({"jnz ", topLabel, ";"});
    Echo(commentLine, " ) ");
    scanner_->Expect(ttCloseParen);
    if (loop_.BreakUsed) scope.EmitLine({loop_.BreakLabel, ":"});
    scope.EmitLine("");
}

// for ( init ; condition ; step ) body: init and step are assignment clauses, the condition one
// optional expression; the step's code is captured and placed after the body.
void TKELCompiler::CompileFor() {
    TIdentScope& scope = *currentScope_;
    LoopGuard guard(loop_);
    const std::string conditionLabel = "ConditionLabel_" + NewLabel();
    loop_.BreakLabel = "TerminatorLabel_" + NewLabel();
    loop_.ContinueLabel = "StepLabel_" + NewLabel();
    int commentLine = scope.BeginCommentLine("for ( ");
    scanner_->Expect(ttFor);
    scanner_->Expect(ttOpenParen);
    CompileForClauses(commentLine);
    Echo(commentLine, " ; ");
    scanner_->Expect(ttSemicolon);
    scope.EmitLine({conditionLabel, ":"});
    if (scanner_->CurrentToken().kind != ttSemicolon) {
        CompileExpression(commentLine);
        scope.EmitLine({"jnz ", loop_.BreakLabel, ";"});
    }
    Echo(commentLine, " ; ");
    scanner_->Expect(ttSemicolon);
    TCodeSnipet stepCode(scope, false);
    stepCode.Activate(scope.Snippet->NextLineNumber(), TCodeSnipet::kOpenEnd);
    CompileForClauses(commentLine);
    stepCode.Deactivate();
    Echo(commentLine, " ) ");
    scanner_->Expect(ttCloseParen);
    CompileBlock(false);
    scope.EmitLine({loop_.ContinueLabel, ":"});
    stepCode.Flush();
    scope.EmitLine({"jmp ", conditionLabel, ";"});
    scope.EmitLine({loop_.BreakLabel, ":"});
    scope.EmitLine("");
}

// Assignments, compound assignments and steps separated by ","; none leaves a value.
void TKELCompiler::CompileForClauses(int commentLine) {
    const TTokenType end = scanner_->CurrentToken().kind;
    if (end == ttSemicolon || end == ttCloseParen) return;
    do {
        const TTokenType kind = scanner_->CurrentToken().kind;
        if (kind == ttIncrement || kind == ttDecrement)
            CompileStepClause(commentLine, true);
        else
            CompileAssignmentClause(commentLine, true);
        if (scanner_->CurrentToken().kind == ttComma) Echo(commentLine, ", ");
    } while (scanner_->Accept(ttComma));
}

void TKELCompiler::CompileBreak() {
    currentScope_->BeginCommentLine("Break");
    scanner_->Expect(ttBreak);
    if (loop_.BreakLabel.empty()) return AddMessage(svError, "Break outside of a loop");
    currentScope_->EmitLine({"jmp ", loop_.BreakLabel, ";"});
    loop_.BreakUsed = true;
}

void TKELCompiler::CompileContinue() {
    currentScope_->BeginCommentLine("Continue");
    scanner_->Expect(ttContinue);
    if (loop_.ContinueLabel.empty()) return AddMessage(svError, "Continue outside of a loop");
    currentScope_->EmitLine({"jmp ", loop_.ContinueLabel, ";"});
    loop_.ContinueUsed = true;
}

void TKELCompiler::CompileReturn(bool asStatement) {
    int commentLine = currentScope_->BeginCommentLine("return ");
    if (asStatement) {
        scanner_->Expect(ttReturn);
        if (scanner_->CurrentToken().kind != ttSemicolon)
            CompileExpression(commentLine);
        else if (currentScope_->Inlinable)
            EmitPushConst(0);  // the copy's value: every path through an inlined body leaves one
    }
    // An inlinable function's return jumps past its copied code.
    currentScope_->EmitLine(currentScope_->Inlinable ? "jmp " + currentScope_->ExitLabel + ";" : "ret;");
}

}  // namespace kelc
