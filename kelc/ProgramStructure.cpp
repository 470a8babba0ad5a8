// The top level of a script: piece, static variable and constant declarations, and the frames of
// functions and inlinable functions.
#include "kelc/CompileError.h"
#include "kelc/KELCompiler.h"

#include <new>

namespace kelc {
namespace {

void DropLastSeparator(std::string& text) {
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, ", ") == 0) text.erase(text.size() - 2);
}

// Emits the declaration's line however far its parsing got.
class LineOnExit {
public:
    LineOnExit(TIdentScope& scope, std::string& text, bool asComment)
        : scope_(scope), text_(text), asComment_(asComment) {}
    ~LineOnExit() { asComment_ ? scope_.EmitComment(text_) : scope_.EmitLine(text_); }
    LineOnExit(const LineOnExit&) = delete;
    LineOnExit& operator=(const LineOnExit&) = delete;

private:
    TIdentScope& scope_;
    std::string& text_;
    bool asComment_;
};

// Whether one of the code's last two lines is a return instruction.
bool EndsWithReturn(const TCodeSnipet& code) {
    const int next = code.NextLineNumber();
    for (int number = next - 2; number < next; ++number) {
        if (number < 0) continue;
        const std::string_view line = code.GetLine(number);
        const std::size_t start = line.find_first_not_of(' ');
        if (start != std::string_view::npos && line.substr(start) == "ret;") return true;
    }
    return false;
}

}  // namespace

void TKELCompiler::CompileProgram() {
    for (;;) {
        const TTokenType kind = scanner_->CurrentToken().kind;
        switch (kind) {
            case ttIdentifier: CompileFunction(); break;
            case ttInline: CompileInlineFunction(); break;
            case ttPiece: CompileNameDeclaration("piece", ikPiece); break;
            case ttStaticVar: CompileNameDeclaration("static-var", ikStaticVariable); break;
            case ttConst: CompileConstants(); break;
            case ttSemicolon: scanner_->NextToken(); break;
            case ttEndOfFile: return;
            default: AddMessage(svFatalError, "Expecting declaration, but found a " + TokenKindName(kind));
        }
    }
}

// Parameters: names separated by ","; a comma before ")" is accepted. Returns them as written.
std::vector<std::string> TKELCompiler::CompileParameters() {
    localNames_.clear();
    std::vector<std::string> names;
    scanner_->Expect(ttOpenParen);
    while (scanner_->CurrentToken().kind == ttIdentifier) {
        names.push_back(scanner_->CurrentToken().text);
        DeclareIdent(names.back(), ikLocalVariable);
        scanner_->NextToken();
        if (!scanner_->Accept(ttComma)) break;
    }
    scanner_->Expect(ttCloseParen);
    return names;
}

// A function body that does not end with a return gets `return 0` when the settings ask for it.
// An inlinable body always does: its copy must leave a value however its end is reached.
void TKELCompiler::EmitFinalReturn() {
    if (!currentScope_->Inlinable && (!autoEmitLastRet_ || EndsWithReturn(*currentScope_->Snippet))) return;
    EmitPushConst(0);
    CompileReturn(false);
}

// Runs a function's compilation in its scope: whatever happens, the scope is left again (after
// `completion`), and an error is raised again naming the function.
template <class Body, class Completion>
void TKELCompiler::InFunction(const std::string& name, Body body, Completion completion) {
    try {
        struct Leave {
            TKELCompiler& compiler;
            Completion& completion;
            ~Leave() {
                completion();
                compiler.LeaveScope();
            }
        } leave{*this, completion};
        body();
    } catch (const std::bad_alloc&) {
        throw;  // running out of memory ends the program, not only this step
    } catch (const std::exception& error) {
        throw ECompileError("In function \"" + name + "\" " + error.what());
    }
}

void TKELCompiler::CompileFunction() {
    if (scanner_->CurrentToken().kind != ttIdentifier) scanner_->Expect(ttIdentifier);
    const std::string name = scanner_->CurrentToken().text;
    CheckFunctionName(name);
    scanner_->NextToken();
    TIdentScope& scope = EnterScope(name, false);
    TIdentScope& parent = scope.Parent != nullptr ? *scope.Parent : *globalScope_;
    InFunction(
        name,
        [&] {
            scope.EmitLine("");
            scope.EmitLine({"proc ", name});
            CompileParameters();
            const int argsLine = scope.EmitLine("args none;");
            const int beginLine = scope.EmitLine("beginproc");
            CompileBlock(true);
            if (scope.Snippet->NextLineNumber() - beginLine <= 3) {  // only the braces' comments
                scope.Snippet->DeleteLine(scope.Snippet->NextLineNumber() - 1);
                scope.Snippet->DeleteLine(scope.Snippet->NextLineNumber() - 1);
                scope.EmitLine("empty;");
            }
            DropLastSeparator(localNames_);
            scope.InsertLine(argsLine + 1, "var " + (localNames_.empty() ? std::string("none") : localNames_) + ";");
            EmitFinalReturn();
            scope.EmitLine("endproc;");
            scope.EmitLine("");
        },
        [&] {
            scope.Snippet->MoveTo(parent);
            scope.ForgetIdents();
        });
}

// An inlinable function leaves only a marker comment in the global code; its body stays in its
// scope, to be copied to every call.
void TKELCompiler::CompileInlineFunction() {
    TIdentScope& global = *currentScope_;
    scanner_->NextToken();
    const int marker = global.BeginCommentLine("inline ");
    if (scanner_->Accept(ttReturns)) global.AppendToLine(marker, "returns ");
    const std::string name = scanner_->CurrentToken().text;
    CheckFunctionName(name);
    global.AppendToLine(marker, name);
    scanner_->NextToken();
    TIdentScope& scope = EnterScope(name, true);
    InFunction(
        name,
        [&] {
            scope.ExitLabel = "Exit_" + scope.Name + "_" + NewLabel();
            std::string parameters;
            for (const std::string& parameter : CompileParameters())
                parameters += (parameters.empty() ? "" : ", ") + parameter;
            global.AppendToLine(marker, "( " + parameters + " )");
            CompileBlock(true);
            EmitFinalReturn();
            scope.EmitLine({scope.ExitLabel, ":"});
        },
        [] {});
}

// The current token must be a name: declares it.
TIdent& TKELCompiler::ReadDeclaredName(TIdentKind kind) {
    if (scanner_->CurrentToken().kind != ttIdentifier) scanner_->Expect(ttIdentifier);
    return DeclareIdent(scanner_->CurrentToken().text, kind);
}

// "piece" or "static-var", then names separated by ",", then ";"; the line repeats the declaration.
void TKELCompiler::CompileNameDeclaration(const std::string& keyword, TIdentKind kind) {
    std::string line = keyword + " ";
    LineOnExit emit(*currentScope_, line, false);
    scanner_->NextToken();
    do {
        line += ReadDeclaredName(kind).Name + ", ";
        scanner_->NextToken();
    } while (scanner_->Accept(ttComma));
    DropLastSeparator(line);
    scanner_->Expect(ttSemicolon);
    line += ";";
}

// Constants are declared before their expression is evaluated, so `const A = A + 1;` sees A as -1.
void TKELCompiler::CompileConstants() {
    std::string text = "const ";
    LineOnExit emit(*currentScope_, text, true);
    scanner_->NextToken();
    do {
        TIdent& constant = ReadDeclaredName(ikConstant);
        text += constant.Name + " ";
        scanner_->NextToken();
        scanner_->Expect(ttAssign);
        text += "= ";
        constant.Value = EvaluateConstant(*scanner_);
        text += std::to_string(constant.Value) + ", ";
    } while (scanner_->Accept(ttComma));
    DropLastSeparator(text);
    scanner_->Expect(ttSemicolon);
    text += ";";
}

}  // namespace kelc
