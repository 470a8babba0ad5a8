#include "kelc/IdentScope.h"

#include "kelc/CompileError.h"

#include <algorithm>

namespace kelc {

TIdentScope::TIdentScope(std::string name, bool inlinable, TIdentScope* parent)
    : Name(std::move(name)),
      Parent(parent),
      Inlinable(inlinable),
      EchoTag(parent != nullptr ? parent->EchoTag : nullptr) {
    rootSnippet_ = std::make_unique<TCodeSnipet>(*this, true);
}

TIdentScope::~TIdentScope() = default;

const TIdentScope::Entry* TIdentScope::Lookup(std::string_view name) const {
    auto found = names_.find(name);
    return found == names_.end() ? nullptr : &found->second;
}

TIdent* TIdentScope::FindIdent(std::string_view name, bool& namesScope) {
    namesScope = false;
    if (name.empty()) return nullptr;
    // In an inlinable scope the names declared in its source come first: undecorated entries
    // there are only the locals copied in with another inlinable function's code.
    const Entry* entry = Inlinable ? Lookup(Name + "_" + std::string(name)) : nullptr;
    if (entry == nullptr) entry = Lookup(name);
    if (entry != nullptr) {
        namesScope = entry->scope != nullptr;
        return entry->ident;
    }
    return Parent != nullptr ? Parent->FindIdent(name, namesScope) : nullptr;
}

TIdent* TIdentScope::FindStoredIdent(const std::string& storedName) const {
    for (const TIdentScope* scope = this; scope != nullptr; scope = scope->Parent)
        if (const Entry* entry = scope->Lookup(storedName)) return entry->ident;
    return nullptr;
}

TIdentScope* TIdentScope::FindScope(const std::string& name, bool& namesIdent) {
    namesIdent = false;
    if (name.empty()) return nullptr;
    if (const Entry* entry = Lookup(name)) {
        if (entry->scope != nullptr) return entry->scope;
        namesIdent = true;
    }
    return Parent != nullptr ? Parent->FindScope(name, namesIdent) : nullptr;
}

void TIdentScope::CheckNotDeclared(const std::string& name) const {
    if (Lookup(name) != nullptr) throw ECompileError("Redeclared Identifier: \"" + name + "\"");
}

TIdentScope& TIdentScope::AddScope(const std::string& name, bool inlinable) {
    CheckNotDeclared(name);
    scopes_.push_back(std::make_unique<TIdentScope>(name, inlinable, this));
    names_[scopes_.back()->Name].scope = scopes_.back().get();
    longestName_ = std::max(longestName_, name.size());
    return *scopes_.back();
}

TIdent& TIdentScope::AddIdent(const std::string& name, TIdentKind kind) {
    return AddStoredIdent(Inlinable ? Name + "_" + name : name, kind);
}

TIdent& TIdentScope::AddStoredIdent(const std::string& storedName, TIdentKind kind) {
    CheckNotDeclared(storedName);
    idents_.push_back(std::make_unique<TIdent>(TIdent{this, storedName, kind, -1}));
    names_[idents_.back()->Name].ident = idents_.back().get();
    longestName_ = std::max(longestName_, storedName.size());
    return *idents_.back();
}

void TIdentScope::ForgetIdents() {
    for (const auto& ident : idents_) names_.erase(ident->Name);
    std::vector<std::unique_ptr<TIdent>>().swap(idents_);
    if (names_.empty()) decltype(names_)().swap(names_);
}

std::vector<const TIdent*> TIdentScope::Idents() const {
    std::vector<const TIdent*> sorted;
    for (const auto& ident : idents_) sorted.push_back(ident.get());
    std::sort(sorted.begin(), sorted.end(), [](const TIdent* a, const TIdent* b) { return a->Name < b->Name; });
    return sorted;
}

bool TIdentScope::MayName(std::size_t length) const {
    for (const TIdentScope* scope = this; scope != nullptr; scope = scope->Parent)
        if (length <= scope->longestName_) return true;
    return false;
}

bool TIdentScope::IsSelfOrAncestorOf(const TIdentScope& scope) const {
    for (const TIdentScope* s = &scope; s != nullptr; s = s->Parent)
        if (s == this) return true;
    return false;
}

TIdent* TIdentScope::FindLocalByNumber(std::int32_t number) const {
    for (const auto& ident : idents_)
        if (ident->Kind == ikLocalVariable && ident->Value == number) return ident.get();
    return nullptr;
}

int TIdentScope::EmitLine(std::initializer_list<std::string_view> parts) {
    return Snippet->AddLine(parts, static_cast<std::size_t>(Indent));
}

int TIdentScope::EmitComment(const std::string& text) { return EmitLine({"//", text}); }

int TIdentScope::BeginCommentLine(const std::string& text) {
    return EchoTag != nullptr ? EmitLine({"// ", text, (*EchoTag)()}) : EmitLine({"// ", text});
}

void TIdentScope::AppendToLine(int number, const std::string& text) {
    Snippet->AppendToLine(number, text);
}

int TIdentScope::AppendToLastLine(const std::string& text) {
    int last = Snippet->NextLineNumber() - 1;
    AppendToLine(last, text);
    return last;
}

void TIdentScope::InsertLine(int number, const std::string& text) { Snippet->InsertLine(number, text); }

}  // namespace kelc
