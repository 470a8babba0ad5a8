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
        ownLines_ = std::make_unique<std::vector<std::string>>();
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

std::string TCodeSnipet::GetLine(int number) const {
    if (!Serves(number)) return Below().GetLine(number);
    return (*lines_)[Index(number)];
}

void TCodeSnipet::SetLine(int number, std::string text) {
    if (!Serves(number)) return Below().SetLine(number, std::move(text));
    (*lines_)[Index(number)] = std::move(text);
}

void TCodeSnipet::AppendToLine(int number, const std::string& text) {
    if (!Serves(number)) return Below().AppendToLine(number, text);
    (*lines_)[Index(number)] += text;
}

void TCodeSnipet::InsertLine(int number, std::string text) {
    if (!Serves(number)) {
        ++firstLine_;  // this snippet's own lines move up by one with the line inserted below them
        return Below().InsertLine(number, std::move(text));
    }
    lines_->insert(lines_->begin() + static_cast<std::ptrdiff_t>(Index(number)), std::move(text));
}

void TCodeSnipet::DeleteLine(int number) {
    if (!Serves(number)) {
        --firstLine_;
        return Below().DeleteLine(number);
    }
    lines_->erase(lines_->begin() + static_cast<std::ptrdiff_t>(Index(number)));
}

int TCodeSnipet::AddLine(std::string text) {
    lines_->push_back(std::move(text));
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

void TCodeSnipet::AppendAllTo(TCodeSnipet& target) const {
    // Copy first: the target may be this very snippet's list grown by the appends.
    std::vector<std::string> lines = *lines_;
    for (std::string& line : lines) target.AddLine(std::move(line));
}

void TCodeSnipet::Flush() {
    if (isRoot_ || lines_->empty()) return;
    AppendAllTo(*scope_.Snippet);
}

void TCodeSnipet::MoveTo(TIdentScope& target) {
    if (lines_->empty() || &target == &scope_) return;
    for (std::string& line : *lines_) target.Snippet->AddLine(std::move(line));
    lines_->clear();
    lines_->shrink_to_fit();
}

}  // namespace kelc
