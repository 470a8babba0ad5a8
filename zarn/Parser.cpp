#include "zarn/Parser.h"

#include "zarn/InstructionSet.h"
#include "zarn/TokenKinds.h"
#include "zarn/TokenShapes.h"

#include <optional>
#include <string_view>

namespace zarn {
namespace {

using Pos = std::size_t;
// The token after what a step consumed, or nothing when it failed. Reaching the end of the
// token list is a position too, so a complete item at the very end is a success.
using Result = std::optional<Pos>;

class Parser {
public:
    explicit Parser(RunState& state) : state_(state), tokens_(state.tokens), end_(state.tokens.size()) {}

    void Run() {
        if (tokens_.empty()) {
            endFlag_ = true;
            return;
        }
        Result result = TopLevel(0);
        if (!result) {
            if (!endFlag_) Error(kErrorAtTopLevel, 0);
        } else if (*result < end_ && !StartsTopLevelItem(*result)) {
            Error(kErrorAtTopLevel, *result);
        }
        ReportUndefinedLabels();
    }

private:
    // ---- token access ----
    bool Is(Pos p, std::string_view text) const {
        if (p >= end_) return false;
        const std::string_view token = tokens_.Text(p);
        if (token.size() != text.size()) return false;
        // A few characters, mostly one: compared here, a library call apiece would cost more.
        for (std::size_t i = 0; i < text.size(); ++i)
            if (token[i] != text[i]) return false;
        return true;
    }
    int LineAt(Pos p) const { return p < end_ ? tokens_[p].line : tokens_.back().line; }
    std::string_view Text(Pos p) const { return tokens_.Text(p); }
    void SetKind(Pos p, int kind) { tokens_[p].kind = kind; }

    bool StartsTopLevelItem(Pos p) const { return Is(p, "static-var") || Is(p, "piece") || Is(p, "proc"); }

    // ---- errors ----
    void Error(ErrorCode code, Pos p, std::string subject = {}) {
        state_.errors.push_back(ErrorEntry{code, LineAt(p), std::move(subject)});
    }
    void HardError(ErrorCode code, Pos p, std::string subject = {}) {
        Error(code, p, std::move(subject));
        errorFlag_ = true;
    }
    void RaiseWarning(int kind, Pos p) {
        state_.warnings.push_back(Warning{LineAt(p), kind});
        if (state_.options.warningsAsErrors) Error(kWarningsTreatedAsErrors, p);
    }

    // ---- top level ----
    // Items come in any order: a round tries a static variable declaration, a piece declaration
    // and a procedure, and the loop ends at the end of the tokens or with the first round in
    // which nothing more is parsed.
    Result TopLevel(Pos p) {
        Result last;
        for (;;) {
            if (p >= end_) return last;  // an error in the last item must not be blamed on a next one
            Pos roundStart = p;
            Result item = StaticVarDeclaration(p);
            if (errorFlag_) {
                Error(kExpectedStaticVarDeclaration, p);
                return std::nullopt;
            }
            if (item) last = p = *item;
            item = PieceDeclaration(p);
            if (errorFlag_) {
                Error(kExpectedPieceDeclaration, p);
                return std::nullopt;
            }
            if (item) last = p = *item;
            item = Procedure(p);
            if (errorFlag_) Error(kExpectedProcDeclaration, p);
            if (item)
                last = p = *item;
            else if (p == roundStart || Is(p, "proc"))
                return last;
        }
    }

    Result StaticVarDeclaration(Pos p) { return NameDeclaration(p, "static-var", kStaticVarKeyword, kStaticVars, p); }

    // Its error 4 stands at the token after the keyword.
    Result PieceDeclaration(Pos p) { return NameDeclaration(p, "piece", kPieceKeyword, kPieces, p + 1); }

    Result NameDeclaration(Pos p, std::string_view keyword, int keywordKind, SymbolListId list, Pos errorAt) {
        if (!Is(p, keyword)) return std::nullopt;
        SetKind(p, keywordKind);
        currentList_ = list;
        Result result = DeclarationList(p + 1);
        if (errorFlag_) Error(kExpectedIdentifierList, errorAt);
        return result;
    }

    Result DeclarationList(Pos p) {
        for (int count = 0;; ++count) {
            if (Is(p, "none")) {
                SetKind(p, kStructural);
                if (count > 0) {
                    HardError(kNoneAfterDeclaration, p);
                    return std::nullopt;
                }
                return Semicolon(p + 1, true);
            }
            Result afterName = DeclareName(p);
            if (!afterName) {
                HardError(kExpectedIdentifier, p);
                return std::nullopt;
            }
            p = *afterName;
            if (!Is(p, ",")) return Semicolon(p, true);
            SetKind(p++, kListComma);
        }
    }

    // The ";" that ends a declaration or header part.
    Result Semicolon(Pos p, bool hard) {
        if (Is(p, ";")) {
            SetKind(p, kSemicolon);
            return p + 1;
        }
        if (hard)
            HardError(kExpectedSemicolon, p);
        else
            Error(kExpectedSemicolon, p);
        return std::nullopt;
    }

    Result DeclareName(Pos p) {
        if (p >= end_ || !HasIdentifierShape(Text(p))) return std::nullopt;
        std::string_view name = Text(p);
        if (name == "none" && inList_) {
            HardError(kNoneAfterDeclaration, p);
            return std::nullopt;
        }
        SymbolList& list = state_.symbols[currentList_];
        if (list.Find(name) >= 0) {
            HardError(kDuplicateIdentifier, p, std::string(name));
            return std::nullopt;
        }
        list.Append(name);
        static constexpr int kDeclaredKind[] = {kPieceName, kStaticVarName, kProcName, kClv};
        SetKind(p, kDeclaredKind[currentList_]);
        return p + 1;
    }

    // ---- procedures ----
    Result Procedure(Pos p) {
        Result header = Header(p);
        if (errorFlag_) Error(kExpectedProcStart, p);
        if (!header) return std::nullopt;
        Pos bodyStart = *header;
        Result body = Body(bodyStart);
        if (errorFlag_ || !body) Error(kExpectedProcBody, bodyStart);
        if (!body) return std::nullopt;
        Result end = EndOfProcedure(*body);
        if ((errorFlag_ || !end) && !endFlag_) Error(kExpectedProcEnd, *body);
        return end;
    }

    Result Header(Pos p) {
        if (!Is(p, "proc")) return std::nullopt;
        SetKind(p, kProcKeyword);
        currentList_ = kProcedures;
        Result afterName = DeclareName(p + 1);
        if (!afterName) {
            HardError(kExpectedProcName, p + 1);
            return std::nullopt;
        }
        Result afterArgs = NameSection(*afterName, "args", kArgsKeyword, kMissingArgs, kExpectedArgumentList);
        if (!afterArgs) return std::nullopt;
        Result afterVar = NameSection(*afterArgs, "var", kVarKeyword, kMissingVar, kExpectedVarList);
        if (!afterVar) return std::nullopt;
        Pos q = *afterVar;
        if (!Is(q, "beginproc")) {
            HardError(kExpectedBeginproc, q);
            return std::nullopt;
        }
        SetKind(q, kStructural);
        if (Is(q + 1, ";")) {
            HardError(kSemicolonAfterBeginproc, q);
            return std::nullopt;
        }
        return q + 1;
    }

    // "args" or "var", then "none" or a list of names, then ";".
    Result NameSection(Pos p, std::string_view keyword, int keywordKind, ErrorCode missingKeywordError,
                       ErrorCode badListError) {
        if (!Is(p, keyword)) {
            HardError(missingKeywordError, p);
            return std::nullopt;
        }
        SetKind(p, keywordKind);
        Result afterList;
        if (Is(p + 1, "none")) {
            SetKind(p + 1, kStructural);
            afterList = p + 2;
        } else {
            afterList = LocalNameList(p + 1);
            if (!afterList) {
                HardError(badListError, p + 1);
                return std::nullopt;
            }
        }
        return Semicolon(*afterList, true);
    }

    Result LocalNameList(Pos p) {
        currentList_ = kLocals;
        inList_ = true;
        for (;;) {
            Result afterName = DeclareName(p);
            if (!afterName || !Is(*afterName, ",")) {
                inList_ = false;
                return afterName;
            }
            SetKind(*afterName, kListComma);
            p = *afterName + 1;
        }
    }

    Result Body(Pos p) {
        Result last;
        for (;;) {
            Result item = Statement(p);
            if (!item) item = LabelDefinition(p);
            if (item) {
                last = p = *item;
                continue;
            }
            // At the end of the tokens the procedure's end is missing, which its end reports.
            if (p < end_ && !Is(p, "endproc")) Error(kUnrecognizedTerm, p, std::string(Text(p)));
            return last;
        }
    }

    Result EndOfProcedure(Pos p) {
        if (!Is(p, "endproc")) {
            Error(kExpectedEndproc, p);
            return std::nullopt;
        }
        SetKind(p, kStructural);
        if (!Is(p + 1, ";")) {
            Error(kMissingSemicolonAfterEndproc, p + 1);
            return std::nullopt;
        }
        SetKind(p + 1, kSemicolon);
        state_.symbols[kLocals].Clear();
        ++state_.procedureCount;
        if (p + 2 >= end_) endFlag_ = true;
        return p + 2;
    }

    // ---- statements and operands ----
    Result Statement(Pos p) {
        jumpFlag_ = false;
        if (p >= end_) return std::nullopt;
        int kind = MnemonicKind(Text(p));
        SetKind(p, kind);
        if (kind == kNotMnemonic) return std::nullopt;
        jumpFlag_ = IsJumpKind(kind);
        dllOperandFlag_ = kind == kInvoke;
        stringOperandFlag_ = kind == kPushString || kind == kStringDeclaration;
        declarationFlag_ = kind == kStringDeclaration;
        operandList_ = OperandListOf(kind);
        Result operand = Operand(p + 1);
        return Semicolon(operand ? *operand : p + 1, false);
    }

    Result Operand(Pos p) {
        if (p >= end_) {
            stringOperandFlag_ = dllOperandFlag_ = declarationFlag_ = false;
            return std::nullopt;
        }
        if (stringOperandFlag_) {
            stringOperandFlag_ = false;
            return StringOperand(p);
        }
        if (dllOperandFlag_) {
            dllOperandFlag_ = false;
            return DllOperand(p);
        }
        if (Is(p, ";")) return p;
        if (jumpFlag_) return LabelReference(p);
        if (HasIdentifierShape(Text(p))) return SymbolOperand(p);
        return NumberOperand(p);
    }

    Result LabelReference(Pos p) {
        int index = FindOrAddLabel(Text(p));
        if (labelFirstReferenceLine_[static_cast<std::size_t>(index)] == 0)
            labelFirstReferenceLine_[static_cast<std::size_t>(index)] = tokens_[p].line;
        SetKind(p, kLabelReference);
        state_.labelUses.push_back(index);
        return p + 1;
    }

    Result SymbolOperand(Pos p) {
        std::string_view name = Text(p);
        static constexpr std::string_view kAxes[] = {"x-axis", "y-axis", "z-axis"};
        for (int axis = 0; axis < 3; ++axis) {
            if (name == kAxes[axis]) {
                SetKind(p, kSymbolReference + axis);
                return p + 1;
            }
        }
        int index = operandList_ ? state_.symbols[*operandList_].Find(name) : -1;
        for (std::size_t list = 0; index < 0 && list < state_.symbols.size(); ++list)
            index = state_.symbols[list].Find(name);
        if (index < 0) {
            Error(kUndefinedTerm, p, std::string(name));
            return std::nullopt;
        }
        SetKind(p, kSymbolReference + index);
        return p + 1;
    }

    // A local or static variable named like a piece, a procedure or the other kind of variable
    // must still be the one its instruction reads or writes.
    static std::optional<SymbolListId> OperandListOf(int kind) {
        if (kind == kPushl || kind == kPopl) return kLocals;
        if (kind == kPushs || kind == kPops) return kStaticVars;
        return std::nullopt;
    }

    Result NumberOperand(Pos p) {
        IntegerShape integer = ClassifyInteger(Text(p), errorFlag_);
        if (integer.error != kNoError) HardError(integer.error, p);
        if (integer.kind != 0) {
            SetKind(p, integer.kind);
            return p + 1;
        }
        FractionShape fraction = ClassifyFraction(Text(p));
        if (fraction.kind != 0) {
            tokens_.Narrow(p, 0, fraction.numberLength);
            SetKind(p, fraction.kind);
        }
        return p + 1;  // anything else stays unclassified and emits 0
    }

    Result DllOperand(Pos p) {
        std::string_view symbol = Text(p);
        if (!HasDllSymbolShape(symbol)) {
            HardError(kInvalidDllLinkSymbol, p, std::string(symbol));
            return std::nullopt;
        }
        // Code generation finds the offset again by the text.
        if (state_.dllSymbols.Find(symbol) < 0) state_.dllSymbols.Append(symbol);
        SetKind(p, kDllSymbol);
        return p + 1;
    }

    Result StringOperand(Pos p) {
        if (!IsStringLiteral(Text(p))) {
            HardError(kInvalidString, p, std::string(Text(p)));
            return std::nullopt;
        }
        tokens_.Narrow(p, 1, Text(p).size() - 2);
        std::string_view text = Text(p);
        // Code generation finds the offset of a string operand again by its text: the first entry
        // with that text. A declaration emits no word, so its own entry needs no offset.
        bool existing = state_.strings.Find(text) >= 0;
        if (declarationFlag_) {
            state_.strings.Append(text);
            if (existing) RaiseWarning(kWarningDuplicateString, p);
            SetKind(p, kDeclaredString);
            declarationFlag_ = false;
        } else {
            if (!existing) state_.strings.Append(text);
            SetKind(p, kStringOperand);
        }
        return p + 1;
    }

    // ---- labels ----
    Result LabelDefinition(Pos p) {
        if (p >= end_ || !HasIdentifierShape(Text(p)) || !Is(p + 1, ":")) return std::nullopt;
        SetKind(p, kLabelDefinition);
        SetKind(p + 1, kStructural);
        int index = FindOrAddLabel(Text(p));
        state_.labelUses.push_back(index);
        if (labelDefined_[static_cast<std::size_t>(index)])
            Error(kDuplicateIdentifier, p, std::string(Text(p)));
        else
            labelDefined_[static_cast<std::size_t>(index)] = true;
        return p + 2;
    }

    int FindOrAddLabel(std::string_view name) {
        SymbolList& labels = state_.symbols[kLabels];
        int index = labels.Find(name);
        if (index >= 0) return index;
        index = labels.Append(name);
        state_.labelValues.push_back(index);
        labelDefined_.push_back(false);
        labelFirstReferenceLine_.push_back(0);
        return index;
    }

    // A jump target is known to be missing only once the whole file is read.
    void ReportUndefinedLabels() {
        const SymbolList& labels = state_.symbols[kLabels];
        for (int i = 0; i < labels.Count(); ++i) {
            std::size_t at = static_cast<std::size_t>(i);
            if (!labelDefined_[at] && labelFirstReferenceLine_[at] != 0)
                state_.errors.push_back(
                    ErrorEntry{kUndefinedTerm, labelFirstReferenceLine_[at], std::string(labels.Name(i))});
        }
    }

    RunState& state_;
    TokenList& tokens_;
    const Pos end_;

    bool errorFlag_ = false;
    bool endFlag_ = false;
    bool inList_ = false;
    bool jumpFlag_ = false;
    bool dllOperandFlag_ = false;
    bool stringOperandFlag_ = false;
    bool declarationFlag_ = false;
    int currentList_ = kPieces;
    std::optional<SymbolListId> operandList_;  // searched first for the current instruction's operand

    std::vector<bool> labelDefined_;
    std::vector<int> labelFirstReferenceLine_;
};

}  // namespace

void Parse(RunState& state) { Parser(state).Run(); }

}  // namespace zarn
