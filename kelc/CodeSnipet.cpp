#include "kelc/CodeSnipet.h"

#include "kelc/IdentScope.h"

#include <cassert>

namespace kelc {

TCodeSnipet::TCodeSnipet(TIdentScope& scope, bool isRoot) : scope_(scope), isRoot_(isRoot) {
    if (isRoot) {
        lines_ = &scope.Lines;
        scope.Snippet = this;
    } else {
        assert(scope.Snippet != nullptr);
        ownLines_ = std::make_unique<TTextLines>();
        lines_ = ownLines_.get();
    }
}

TCodeSnipet::~TCodeSnipet() {
    if (!isRoot_ && scope_.Snippet == this) Deactivate();
}

TCodeSnipet& TCodeSnipet::Below() const {
    // Only the root snippet serves numbers from 0 on, so a number below every range is a fault.
    assert(previous_ != nullptr);
    return *previous_;
}

std::string_view TCodeSnipet::GetLine(int number) const {
    if (!Serves(number)) return Below().GetLine(number);
    return (*lines_)[Index(number)];
}

void TCodeSnipet::SetLine(int number, std::string_view text) {
    if (!Serves(number)) return Below().SetLine(number, text);
    lines_->Set(Index(number), text);
}

void TCodeSnipet::AppendToLine(int number, std::string_view text) {
    if (!Serves(number)) return Below().AppendToLine(number, text);
    lines_->Append(Index(number), text);
}

void TCodeSnipet::InsertLine(int number, std::string_view text) {
    if (!Serves(number)) {
        ++firstLine_;  // this snippet's own lines move up by one with the line inserted below them
        return Below().InsertLine(number, text);
    }
    lines_->Insert(Index(number), text);
}

void TCodeSnipet::DeleteLine(int number) {
    if (!Serves(number)) {
        --firstLine_;
        return Below().DeleteLine(number);
    }
    lines_->Erase(Index(number));
}

int TCodeSnipet::AddLine(std::initializer_list<std::string_view> parts, std::size_t indent) {
    lines_->Add(parts, indent);
    return LineCount() - 1 + firstLine_;
}

int TCodeSnipet::NextLineNumber() const { return LineCount() + firstLine_; }

void TCodeSnipet::Activate(int first, int last) {
    assert(first >= 0 && scope_.Snippet != nullptr);
    if (isRoot_ || active_) return;
    assert(scope_.Snippet != this);
    previous_ = scope_.Snippet;
    scope_.Snippet = this;
    firstLine_ = first;
    lastLine_ = last;
    active_ = true;
}

void TCodeSnipet::Deactivate() {
    if (isRoot_ || !active_ || scope_.Snippet != this) return;
    scope_.Snippet = previous_;
    lastLine_ = LineCount() + firstLine_ - 1;
    active_ = false;
}

void TCodeSnipet::Flush() {
    if (isRoot_ || lines_->empty()) return;
    scope_.Snippet->lines_->AddAll(*lines_);
}

void TCodeSnipet::MoveTo(TIdentScope& target) {
    if (lines_->empty() || &target == &scope_) return;
    target.Snippet->lines_->AddAll(*lines_);
    lines_->Clear();
}

}  // namespace kelc
