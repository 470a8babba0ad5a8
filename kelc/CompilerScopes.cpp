// The compiler's operations on the current scope: declaring and numbering names, entering and
// leaving function scopes, labels, and the lines that read and write an identifier.
#include "kelc/CompileError.h"
#include "kelc/KELCompiler.h"

namespace kelc {

TIdent* TKELCompiler::FindIdent(const std::string& name, bool& namesScope) {
    return currentScope_->FindIdent(name, namesScope);
}

TIdent& TKELCompiler::DeclareIdent(const std::string& name, TIdentKind kind) {
    return Number(currentScope_->AddIdent(name, kind), name);
}

// Reported once: the name is then declared as undeclared, so later uses stay quiet.
TIdent& TKELCompiler::DeclareUndeclared(const std::string& name) {
    AddMessage(svError, "Undeclaired identifier, " + name);
    return DeclareIdent(name, ikUndeclared);
}

TIdent& TKELCompiler::DeclareStoredIdent(const std::string& storedName, TIdentKind kind) {
    return Number(currentScope_->AddStoredIdent(storedName, kind), storedName);
}

// Pieces and statics count over the whole script, locals per function scope.
TIdent& TKELCompiler::Number(TIdent& ident, const std::string& name) {
    switch (ident.Kind) {
        case ikPiece:
            ident.Value = static_cast<std::int32_t>(pieces_.size());
            pieces_.push_back(&ident);
            break;
        case ikLocalVariable:
            ident.Value = currentScope_->LocalCount++;
            localNames_ += name + ", ";
            break;
        case ikStaticVariable:
            ident.Value = globalScope_->StaticCount++;
            break;
        default:
            break;
    }
    return ident;
}

TIdentScope* TKELCompiler::FindScope(const std::string& name, bool& namesIdent) {
    return currentScope_->FindScope(name, namesIdent);
}

// Checked while the name is the current token, so the message points at it: a second definition
// would silently add its code to the first one's.
void TKELCompiler::CheckFunctionName(const std::string& name) {
    bool namesIdent = false;
    if (FindScope(name, namesIdent) != nullptr) throw ECompileError("Redeclared Identifier: \"" + name + "\"");
}

TIdentScope& TKELCompiler::EnterScope(const std::string& name, bool inlinable) {
    bool namesIdent = false;
    FindScope(name, namesIdent);
    if (namesIdent) throw ECompileError("Function name \"" + name + "\" is used by a variable ");
    currentScope_ = &currentScope_->AddScope(name, inlinable);
    return *currentScope_;
}

void TKELCompiler::LeaveScope() {
    currentScope_ = currentScope_->Parent != nullptr ? currentScope_->Parent : globalScope_.get();
}

std::string TKELCompiler::NewLabel() {
    if (currentScope_ == globalScope_.get()) {
        AddMessage(svError, "Labels are not allowed in the global scope");
        return std::string();
    }
    return currentScope_->Name + "_" + std::to_string(currentScope_->LabelCount++);
}

void TKELCompiler::EmitPush(const TIdent& ident) {
    switch (ident.Kind) {
        case ikPiece:
        case ikConstant:
            currentScope_->EmitLine({"pushc ", std::to_string(ident.Value), "; // ", ident.Name});
            break;
        case ikLocalVariable:
            currentScope_->EmitLine({"pushl ", ident.Name, ";"});
            break;
        case ikStaticVariable:
            currentScope_->EmitLine({"pushs ", ident.Name, ";"});
            break;
        default:
            AddMessage(svError, "Unknown result type, " + ident.Name);
            currentScope_->EmitLine({"push ", ident.Name, ";"});
            break;
    }
}

void TKELCompiler::EmitPop(const TIdent& ident) {
    switch (ident.Kind) {
        case ikPiece:
        case ikConstant:
            AddMessage(svError, "Can not assign to a read-only identifier, " + ident.Name);
            currentScope_->EmitLine({"// pops ", ident.Name, ";"});
            break;
        case ikLocalVariable:
            currentScope_->EmitLine({"popl ", ident.Name, ";"});
            break;
        case ikStaticVariable:
            currentScope_->EmitLine({"pops ", ident.Name, ";"});
            break;
        default:
            AddMessage(svError, "Unknown result type, or result is readonly");
            currentScope_->EmitLine({"pop ", ident.Name, ";"});
            break;
    }
}

void TKELCompiler::EmitPushConst(std::int32_t value) {
    currentScope_->EmitLine({"pushc ", std::to_string(value), ";"});
}

}  // namespace kelc
