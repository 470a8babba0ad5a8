#pragma once
#include "kelc/IdentScope.h"
#include "kelc/PreProcessor.h"
#include "kelc/Scanner.h"
#include "kelc/SourceOrigins.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kelc {

enum TSeverity : int { svWarning = 0, svError = 1, svFatalError = 2 };

struct TOperatorLevel;

// The settings that change what the compiler makes of a script, all on by default, and whether
// LineOrigins is filled: only messages about the assembly text need it, and it costs memory on
// every statement.
struct TCompilerOptions {
    bool MirroxCompatibility = true;   // "&&" loosest, "||" tightest; "!" compiles to neg
    bool AutoEmitLastRet = true;       // a body not ending in a return returns 0
    bool EnableZARNExtentions = true;  // the shift operators
    bool TrackLineOrigins = false;
};

// Compiles one source file into assembly text. Constructing it runs the whole compilation;
// afterwards Success and Messages tell the outcome, and the caller's asmOutput and
// preprocessorOutput hold the texts, each line followed by CR LF. The source's line ends may be
// CR LF, CR or LF.
class TKELCompiler {
public:
    TKELCompiler(std::string sourceFileName, std::string asmFileName, const TCompilerOptions& options,
                 std::string& preprocessorOutput, std::string& asmOutput, std::string source);
    ~TKELCompiler();
    TKELCompiler(const TKELCompiler&) = delete;
    TKELCompiler& operator=(const TKELCompiler&) = delete;

    bool Success = false;
    std::vector<std::string> Messages;
    // Every file the source included, at any depth, by the name the user can open.
    std::vector<std::string> IncludedFiles;
    // Parallel to the assembly text, when tracked: the source place of each echo comment and inline
    // assembly line.
    TLineOrigins LineOrigins;

    // Records a diagnostic with the current token's position when there is one; a fatal error
    // is raised as ECompileError when `raiseOnFatal` is set.
    void AddMessage(TSeverity severity, const std::string& text, bool raiseOnFatal = true);

    // ---- names and emitted lines in the current scope: CompilerScopes.cpp ----
    TIdent* FindIdent(const std::string& name, bool& namesScope);
    TIdent& DeclareIdent(const std::string& name, TIdentKind kind);
    TIdent& DeclareUndeclared(const std::string& name);
    TIdentScope* FindScope(const std::string& name, bool& namesIdent);
    void CheckFunctionName(const std::string& name);
    TIdentScope& EnterScope(const std::string& name, bool inlinable);
    void LeaveScope();
    std::string NewLabel();
    void EmitPush(const TIdent& ident);
    void EmitPop(const TIdent& ident);
    void EmitPushConst(std::int32_t value);

    // ---- constant expressions: ConstantExpressions.cpp ----
    std::int32_t EvaluateConstant(TScanner& scanner);
    std::int32_t EvaluateConstExpression(const std::string& text);

private:
    // The innermost loop's jump targets.
    struct TLoopContext {
        std::string ContinueLabel;
        std::string BreakLabel;
        bool BreakUsed = false;
        bool ContinueUsed = false;
    };
    class LoopGuard;
    class NestingGuard;

    void Compile();
    TIdent& DeclareStoredIdent(const std::string& storedName, TIdentKind kind);
    TIdent& Number(TIdent& ident, const std::string& name);

    // ---- hooks given to the preprocessor and the scanners: KELCompiler.cpp ----
    bool OnIncludeFile(std::string& text, std::string& fileName);
    bool OnOtherDirective(TPreProcessor& preprocessor, const std::string& name, const std::string& argument);
    bool OnLookupSymbol(std::string_view text, TTokenType& kind);
    void OnPosition(TTokenData& token);

    // ---- program structure: ProgramStructure.cpp ----
    void CompileProgram();
    void CompileNameDeclaration(const std::string& keyword, TIdentKind kind);
    void CompileConstants();
    TIdent& ReadDeclaredName(TIdentKind kind);
    void CompileFunction();
    void CompileInlineFunction();
    std::vector<std::string> CompileParameters();
    void EmitFinalReturn();
    template <class Body, class Completion>
    void InFunction(const std::string& name, Body body, Completion completion);

    // ---- statements: Statements.cpp ----
    void CompileBlock(bool bracesRequired);
    bool CompileStatement();
    void CompileVarDeclaration();
    void CompileAsmBlock();
    void CompileIf();
    void CompileWhile();
    void CompileDoWhile();
    void CompileFor();
    void CompileForClauses(int commentLine);
    void CompileBreak();
    void CompileContinue();
    void CompileReturn(bool asStatement);

    // ---- expressions and assignments: Expressions.cpp ----
    void Echo(int commentLine, const std::string& text);
    // The tag that carries the token's place in an emitted line; empty when places are not tracked.
    std::string OriginTag(const TTokenData& token);
    void CompileExpression(int commentLine);
    void CompileOperatorLevel(std::size_t index, int commentLine);
    void CompileUnary(int commentLine);
    void CompilePrimary(int commentLine);
    void CompileIdentifierOperand(int commentLine);
    void CompileGet(int commentLine);
    void CompileRand(int commentLine);
    // "(" expressions separated by "," ")"; `afterArgument` runs after each one's code. Returns
    // the count.
    int CompileArgumentList(int commentLine, const std::function<void(int index)>& afterArgument = {});
    TIdent& ReadTargetIdent(int commentLine);
    void CompileAssignment();
    void CompileAssignmentClause(int commentLine, bool postfixAllowed);
    void CompileStepStatement();
    void CompileStepClause(int commentLine, bool echoOperator);
    void EmitStep(const TIdent& target, bool increment);

    // ---- animation and script statements: AnimationStatements.cpp ----
    bool CompileAnimationStatement();
    void CompileTurnOrMove(bool turn);
    void CompileWait(bool turn);
    void CompileSpin();
    void CompileStopSpin();
    void CompileExplode();
    void CompileEmitSfx();
    void CompileSet();
    void CompileAttachUnit();
    void CompilePieceStatement(const std::string& echo, const std::string& instruction);
    void CompileExpressionStatement(const std::string& echo, const std::string& instruction);
    void CompileOptionalOperand(TTokenType keyword, const std::string& echo, int commentLine);
    std::string ReadPieceOperand();
    std::string ReadAxisOperand();
    std::pair<std::string, std::string> ReadPieceAndAxis(int commentLine, TTokenType joiner);
    void EmitDataWords(std::initializer_list<std::string> operands);

    // ---- calls: Calls.cpp ----
    std::string ReadFunctionName();
    void CompileCall(int commentLine, bool inExpression, bool keyword);
    void ExpandInline(TIdentScope& callee, int commentLine);
    void PopArgumentsLastToFirst(TIdentScope& callee, const std::vector<int>& popLines);
    TIdent& DiscardedValueLocal();
    void CompileStartScript();

    // ---- constant expression levels, loosest first: ConstantExpressions.cpp ----
    std::int32_t ConstLogical(TScanner& scanner);
    std::int32_t ConstEquality(TScanner& scanner);
    std::int32_t ConstRelation(TScanner& scanner);
    std::int32_t ConstShift(TScanner& scanner);
    std::int32_t ConstAdditive(TScanner& scanner);
    std::int32_t ConstMultiplicative(TScanner& scanner);
    std::int32_t ConstUnary(TScanner& scanner);
    std::int32_t ConstPrimary(TScanner& scanner);

    std::string source_;
    std::unique_ptr<TScanner> scanner_;
    std::unique_ptr<TPreProcessor> preprocessor_;
    std::string& asmOutput_;
    std::string& preprocessorOutput_;
    std::unique_ptr<TGobalIdentScope> globalScope_;
    TIdentScope* currentScope_ = nullptr;
    std::vector<TIdent*> pieces_;
    std::string asmFileName_;
    std::string sourceFileName_;
    TLoopContext loop_;
    std::string localNames_;
    std::string directiveOrigin_;  // while an "if" directive is evaluated: where it stands
    bool enableExtensions_;
    bool autoEmitLastRet_;
    bool mirroxCompatibility_;
    std::vector<const TOperatorLevel*> operatorLevels_;
    int expressionDepth_ = 0;  // expressions being compiled or evaluated inside one another
    int blockDepth_ = 0;
    int inlineExpansions_ = 0;  // inlined copies made so far: tells whether an argument holds one
    std::optional<TOriginTags> originTags_;  // only while LineOrigins is tracked
    std::function<std::string()> echoTag_;
};

// The operator levels of expressions, loosest first, as the two settings select them.
std::vector<const TOperatorLevel*> OperatorLevels(bool mirroxCompatibility, bool enableExtensions);

// An integer or hexadecimal literal's text as a 32-bit value: "Range check error" when it does
// not fit, "'<text>' is not a valid integer value" when it is no number.
std::int32_t ConvertIntegerLiteral(const std::string& text);

}  // namespace kelc
