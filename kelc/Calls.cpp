// call-script, start-script and calls inside expressions. An inlinable function is not called:
// its compiled code is copied to the call, after the arguments were stored into its locals.
#include "kelc/CompileError.h"
#include "kelc/KELCompiler.h"

#include <unordered_map>

namespace kelc {
namespace {

bool IsLabelChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

// The labels a function's lines define: lines that read "<name>:".
std::unordered_map<std::string, std::string> DefinedLabels(const TTextLines& lines, const std::string& suffix) {
    std::unordered_map<std::string, std::string> renamed;
    for (std::string_view line : lines) {
        std::size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos || line.back() != ':') continue;
        std::string label(line.substr(start, line.size() - 1 - start));
        bool plain = !label.empty();
        for (char c : label) plain = plain && IsLabelChar(c);
        if (plain) renamed.emplace(label, label + suffix);
    }
    return renamed;
}

// The line with every whole word that is a renamed label replaced; comments stay as they were.
std::string RenameLabels(std::string_view line, const std::unordered_map<std::string, std::string>& renamed) {
    std::size_t start = line.find_first_not_of(' ');
    if (renamed.empty() || start == std::string_view::npos || line.compare(start, 2, "//") == 0)
        return std::string(line);
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
        if (!IsLabelChar(line[i])) {
            out += line[i++];
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && IsLabelChar(line[end])) ++end;
        const std::string word(line.substr(i, end - i));
        auto found = renamed.find(word);
        out += found == renamed.end() ? word : found->second;
        i = end;
    }
    return out;
}

}  // namespace

std::string TKELCompiler::ReadFunctionName() {
    const TTokenData& token = scanner_->CurrentToken();
    if (token.kind != ttIdentifier) {
        AddMessage(svError, "Expecting function name, but found a " + TokenKindName(token.kind));
        return token.text;
    }
    const std::string name = token.text;
    bool namesIdent = false;
    if (FindScope(name, namesIdent) == nullptr) {
        if (namesIdent)
            AddMessage(svFatalError, "Function name \"" + name + "\" is used by a variable ");
        else
            AddMessage(svFatalError, "Undeclaired function name, " + name);
    }
    scanner_->NextToken();
    return name;
}

// Statement form (`inExpression` false): a comment line of its own. Expression form: echoes
// into `commentLine`; with `keyword` false the function's name stood alone.
void TKELCompiler::CompileCall(int commentLine, bool inExpression, bool keyword) {
    if (inExpression)
        Echo(commentLine, "call-script ");
    else
        commentLine = currentScope_->BeginCommentLine("call-script ");
    if (keyword) scanner_->Expect(ttCallScript);
    const std::string name = ReadFunctionName();
    Echo(commentLine, name + " ");
    bool namesIdent = false;
    TIdentScope* callee = FindScope(name, namesIdent);
    if (callee != nullptr && callee->Inlinable) {
        ExpandInline(*callee, commentLine);
        if (!inExpression) EmitPop(DiscardedValueLocal());  // a statement has no use for the copy's value
        return;
    }
    // An ordinary call leaves nothing on the stack for an expression to use.
    if (inExpression) AddMessage(svError, "Function " + name + " returns no value");
    const int count = CompileArgumentList(commentLine);
    currentScope_->EmitLine("call;");
    EmitDataWords({name, std::to_string(count)});
}

void TKELCompiler::ExpandInline(TIdentScope& callee, int commentLine) {
    TIdentScope& scope = *currentScope_;
    if (callee.IsSelfOrAncestorOf(scope))
        AddMessage(svFatalError, "Both " + callee.Name + " and " + scope.Name +
                                     " use each other. Cyclic inclusion of inlinable functions not allowed");
    // The copied code names the callee's locals and constants by their stored names: declare
    // them here under the same names, once per scope.
    for (const TIdent* ident : callee.Idents()) {
        if (ident->Kind != ikLocalVariable && ident->Kind != ikConstant) continue;
        if (scope.FindStoredIdent(ident->Name) == nullptr) DeclareStoredIdent(ident->Name, ident->Kind);
    }
    int expansionsSeen = ++inlineExpansions_;
    std::vector<int> popLines;
    bool laterArgumentInlines = false;
    const int count = CompileArgumentList(commentLine, [&](int index) {
        laterArgumentInlines = laterArgumentInlines || (index > 0 && inlineExpansions_ != expansionsSeen);
        expansionsSeen = inlineExpansions_;
        if (index >= callee.LocalCount) return;
        popLines.push_back(currentScope_->Snippet->NextLineNumber());
        EmitPop(*callee.FindLocalByNumber(index));
    });
    if (laterArgumentInlines) PopArgumentsLastToFirst(callee, popLines);
    if (count > callee.LocalCount)
        AddMessage(svError, "Too many parameters, " + std::to_string(count) + ", to inlined function " + callee.Name +
                                ", Max:" + std::to_string(callee.LocalCount));
    // Each copy gets label names of its own, so no label is defined twice.
    const auto renamed = DefinedLabels(callee.Lines, "_" + NewLabel());
    for (std::string_view line : callee.Lines) scope.Snippet->AddLine({RenameLabels(line, renamed)});
}

// An inlined copy in a later argument stores into the callee's parameters too, and would overwrite
// those stored before it: the arguments stay on the stack until all are computed.
void TKELCompiler::PopArgumentsLastToFirst(TIdentScope& callee, const std::vector<int>& popLines) {
    TCodeSnipet& code = *currentScope_->Snippet;
    for (auto line = popLines.rbegin(); line != popLines.rend(); ++line) code.DeleteLine(*line);
    for (int number = static_cast<int>(popLines.size()) - 1; number >= 0; --number)
        EmitPop(*callee.FindLocalByNumber(number));
}

// The local a statement call pops an inlined copy's value into. Its name holds "--", which the
// scanner never takes into a name, so no script can declare or address it.
TIdent& TKELCompiler::DiscardedValueLocal() {
    static const std::string kName = "discarded--value";
    if (TIdent* ident = currentScope_->FindStoredIdent(kName)) return *ident;
    return DeclareStoredIdent(kName, ikLocalVariable);
}

void TKELCompiler::CompileStartScript() {
    int commentLine = currentScope_->BeginCommentLine("start-script ");
    scanner_->Expect(ttStartScript);
    const std::string name = ReadFunctionName();
    Echo(commentLine, name + " ");
    bool namesIdent = false;
    TIdentScope* callee = FindScope(name, namesIdent);
    if (callee != nullptr && callee->Inlinable)
        AddMessage(svFatalError, "Inlinable function, " + name + ", can not be called via start-script");
    const int count = CompileArgumentList(commentLine);
    currentScope_->EmitLine("start;");
    EmitDataWords({name, std::to_string(count)});
}

}  // namespace kelc
