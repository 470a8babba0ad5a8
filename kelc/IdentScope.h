#pragma once
#include "kelc/CodeSnipet.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kelc {

// The byte values are part of the language model: other parts of the compiler test them.
enum TIdentKind : std::uint8_t {
    ikPiece = 0,
    ikLocalVariable = 1,
    ikStaticVariable = 2,
    ikConstant = 3,
    ikUndeclared = 5,  // reported once as undeclared, so later uses are not reported again
};

class TIdentScope;

struct TIdent {
    TIdentScope* Scope = nullptr;
    std::string Name;  // as stored: decorated in an inlinable function's scope
    TIdentKind Kind = ikUndeclared;
    std::int32_t Value = -1;
};

// A scope of names: the global scope or a function's. It maps names to identifiers and to the
// scopes of functions declared in it, and owns the assembly lines emitted while it is current.
class TIdentScope {
public:
    TIdentScope(std::string name, bool inlinable, TIdentScope* parent);
    virtual ~TIdentScope();
    TIdentScope(const TIdentScope&) = delete;
    TIdentScope& operator=(const TIdentScope&) = delete;

    // An identifier by name, searching outwards; a function name found first hides outer
    // identifiers and sets `namesScope`.
    TIdent* FindIdent(std::string_view name, bool& namesScope);
    // An identifier by the name it is stored under, searching outwards, never decorating: an
    // inlinable scope's own "<scope>_<name>" must not stand in for a copied "<name>".
    TIdent* FindStoredIdent(const std::string& storedName) const;
    // A function scope by name, searching outwards; `namesIdent` tells whether the last scope
    // searched holds the name as an identifier.
    TIdentScope* FindScope(const std::string& name, bool& namesIdent);

    TIdentScope& AddScope(const std::string& name, bool inlinable);
    // Declares a name; in an inlinable scope it is stored as "<scope name>_<name>".
    TIdent& AddIdent(const std::string& name, TIdentKind kind);
    // Declares a name exactly as given, for names copied with an inlined function's code.
    TIdent& AddStoredIdent(const std::string& storedName, TIdentKind kind);
    // The identifiers declared here, sorted by stored name.
    std::vector<const TIdent*> Idents() const;
    // Forgets the identifiers declared here, keeping the scopes: a compiled function's locals are
    // never looked up again, and a script has thousands of functions.
    void ForgetIdents();

    // False when no name of that length is declared here or further out, so a lookup would fail:
    // it spares building and hashing a long word (a dashed chain) that cannot be a name.
    bool MayName(std::size_t length) const;
    bool IsSelfOrAncestorOf(const TIdentScope& scope) const;
    TIdent* FindLocalByNumber(std::int32_t number) const;

    // Line emitting, through the current snippet; line numbers are the snippet chain's.
    int EmitLine(std::string_view text) { return EmitLine({text}); }
    // The parts one after another, as one line.
    int EmitLine(std::initializer_list<std::string_view> parts);
    int EmitComment(const std::string& text);
    int BeginCommentLine(const std::string& text);
    void AppendToLine(int number, const std::string& text);
    int AppendToLastLine(const std::string& text);
    void InsertLine(int number, const std::string& text);

    std::string Name;
    TIdentScope* Parent;
    std::int32_t LocalCount = 0;
    std::int32_t LabelCount = 0;
    TTextLines Lines;
    TCodeSnipet* Snippet = nullptr;
    bool Inlinable;
    int Indent = 0;
    std::string ExitLabel;
    // Appended to every comment line begun here, so that the line can be traced to its source;
    // children take their parent's. Unset, nothing is appended.
    const std::function<std::string()>* EchoTag = nullptr;

private:
    struct Entry {
        TIdent* ident = nullptr;
        TIdentScope* scope = nullptr;
    };
    const Entry* Lookup(std::string_view name) const;
    void CheckNotDeclared(const std::string& name) const;

    // Compared with case. The keys view the names the identifiers and scopes keep.
    std::unordered_map<std::string_view, Entry> names_;
    std::vector<std::unique_ptr<TIdent>> idents_;
    std::vector<std::unique_ptr<TIdentScope>> scopes_;
    std::unique_ptr<TCodeSnipet> rootSnippet_;
    std::size_t longestName_ = 0;  // of the names declared here, as stored
};

class TGobalIdentScope : public TIdentScope {
public:
    TGobalIdentScope() : TIdentScope("global scope", false, nullptr) {}
    std::int32_t StaticCount = 0;
};

}  // namespace kelc
