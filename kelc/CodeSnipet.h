#pragma once
#include "kelc/TextLines.h"

#include <climits>
#include <memory>
#include <string_view>

namespace kelc {

class TIdentScope;

// A layer of emitted lines on a scope's chain. While it is the scope's current snippet it takes
// every emitted line, and line numbers stay valid across the chain: a number is served by the
// topmost snippet whose range holds it, so an earlier line (a statement's echo comment) can still
// be read, amended, inserted before or deleted. Afterwards the captured lines are flushed or
// moved elsewhere, which lets the compiler reorder and paste code.
class TCodeSnipet {
public:
    static constexpr int kOpenEnd = INT_MAX;

    // A root snippet borrows the scope's Lines and becomes its Snippet; any other snippet has
    // lines of its own and needs the scope to have a Snippet already.
    TCodeSnipet(TIdentScope& scope, bool isRoot);
    ~TCodeSnipet();
    TCodeSnipet(const TCodeSnipet&) = delete;
    TCodeSnipet& operator=(const TCodeSnipet&) = delete;

    // Valid until the lines change.
    std::string_view GetLine(int number) const;
    void SetLine(int number, std::string_view text);
    // Extends a line in place: statements echo into their comment line token by token.
    void AppendToLine(int number, std::string_view text);
    void InsertLine(int number, std::string_view text);
    void DeleteLine(int number);

    int AddLine(std::initializer_list<std::string_view> parts, std::size_t indent = 0);
    int NextLineNumber() const;
    int LineCount() const { return static_cast<int>(lines_->size()); }
    const TTextLines& Lines() const { return *lines_; }

    void Activate(int first, int last);
    void Deactivate();
    void Flush();
    // Hands every line over to the target scope's current snippet and keeps none: a finished
    // function's code is needed once, in its parent.
    void MoveTo(TIdentScope& target);

    bool IsActive() const { return active_; }
    int FirstLine() const { return firstLine_; }
    int LastLine() const { return lastLine_; }

private:
    bool Serves(int number) const { return number >= firstLine_ && number <= lastLine_; }
    std::size_t Index(int number) const { return static_cast<std::size_t>(number - firstLine_); }
    TCodeSnipet& Below() const;

    TCodeSnipet* previous_ = nullptr;
    std::unique_ptr<TTextLines> ownLines_;
    TTextLines* lines_;
    bool active_ = false;
    TIdentScope& scope_;
    const bool isRoot_;
    int firstLine_ = 0;
    int lastLine_ = kOpenEnd;
};

}  // namespace kelc
