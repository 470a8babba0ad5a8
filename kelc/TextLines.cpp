#include "kelc/TextLines.h"

#include "platform/Memory.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <stdexcept>

namespace kelc {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kFirstRoom = 1024;
// The buffer's string is lengthened this much ahead of the text, not line by line; the zeros
// written ahead touch little memory.
constexpr std::size_t kLengthenBy = 4096;
constexpr const char* kTooLarge = "The assembly text has outgrown 4 GB";

}  // namespace

std::string_view TTextLines::operator[](std::size_t index) const {
    const Span& span = spans_[index];
    return std::string_view(chars_.data() + span.start, span.length);
}

void TTextLines::Add(std::initializer_list<std::string_view> parts, std::size_t indent) {
    const Span span = Write(indent, parts);
    if (spans_.empty()) spans_.reserve(kFirstRoom / 16);
    spans_.push_back(span);
}

void TTextLines::Set(std::size_t index, std::string_view text) {
    const Span old = spans_[index];
    spans_[index] = Write(0, {text});
    Abandon(old);
}

void TTextLines::Append(std::size_t index, std::string_view text) {
    Span& span = spans_[index];
    if (!IsLastWritten(span)) {
        const Span old = span;
        span = Write(0, {(*this)[index], text});
        Abandon(old);
        return;
    }
    // The last line grows where it stands: statements echo into their comment line word by word.
    const Span extended = Write(0, {text});
    char* const oldLineEnd = chars_.data() + extended.start - kLineEnd.size();
    std::memmove(oldLineEnd, oldLineEnd + kLineEnd.size(), extended.length + kLineEnd.size());
    end_ -= kLineEnd.size();
    span.length += extended.length;
}

void TTextLines::Insert(std::size_t index, std::string_view text) {
    const Span span = Write(0, {text});
    spans_.insert(spans_.begin() + static_cast<std::ptrdiff_t>(index), span);
}

void TTextLines::Erase(std::size_t index) {
    const Span old = spans_[index];
    spans_.erase(spans_.begin() + static_cast<std::ptrdiff_t>(index));
    Abandon(old);
}

void TTextLines::AddAll(const TTextLines& other) {
    if (&other == this) {
        const TTextLines copy = other;
        return AddAll(copy);
    }
    char* out = Extend(other.end_ - other.unused_);
    // Lines are copied with the CR LF that follows them, and lines that lie one after another in
    // the other buffer too in one piece: a finished function's code mostly is one piece.
    const char* const from = other.chars_.data();
    std::size_t runStart = 0, runEnd = 0;  // the stretch of the other buffer not yet copied
    for (const Span& span : other.spans_) {
        if (span.start != runEnd) {
            out = std::copy(from + runStart, from + runEnd, out);
            runStart = runEnd = span.start;
        }
        const auto at = static_cast<std::size_t>(out - chars_.data()) + (span.start - runStart);
        spans_.push_back(Span{static_cast<std::uint32_t>(at), span.length});
        runEnd = span.start + span.length + kLineEnd.size();
    }
    std::copy(from + runStart, from + runEnd, out);
}

void TTextLines::Clear() {
    // Swapped, not assigned: assigning an empty string keeps the buffer.
    std::string().swap(chars_);
    std::vector<Span>().swap(spans_);
    end_ = 0;
    unused_ = 0;
}

void TTextLines::Reserve(std::size_t characters, std::size_t lines) {
    try {
        chars_.reserve(characters);
        spans_.reserve(lines);
    } catch (const std::bad_alloc&) {
        return;
    }
    platform::PreferLargePages(chars_.data(), chars_.capacity());
    platform::PreferLargePages(spans_.data(), spans_.capacity() * sizeof(Span));
}

std::string TTextLines::TakeText() {
    if (unused_ != 0 || !InBufferOrder()) Compact();
    chars_.resize(end_);
    std::string text = std::move(chars_);
    Clear();
    return text;
}

bool TTextLines::AnyInBuffer(std::initializer_list<std::string_view> parts) const {
    const std::less<const char*> before;
    for (std::string_view part : parts)
        if (!part.empty() && !before(part.data(), chars_.data()) && before(part.data(), chars_.data() + end_))
            return true;
    return false;
}

char* TTextLines::ExtendBuffer(std::size_t count) {
    if (count > std::numeric_limits<std::uint32_t>::max() - end_) throw std::length_error(kTooLarge);
    const std::size_t end = end_ + count;
    if (end > chars_.size()) {
        // A snippet or function holds a few dozen lines: it starts with room for them.
        if (end > chars_.capacity()) chars_.reserve(std::max({end, 2 * chars_.capacity(), kFirstRoom}));
        chars_.resize(std::min(chars_.capacity(), std::max(end, chars_.size() + kLengthenBy)));
    }
    char* const out = chars_.data() + end_;
    end_ = end;
    return out;
}

TTextLines::Span TTextLines::Write(std::size_t indent, std::initializer_list<std::string_view> parts) {
    std::size_t length = indent;
    for (std::string_view part : parts) length += part.size();
    if (end_ + length + kLineEnd.size() > chars_.capacity() && AnyInBuffer(parts)) {
        // Growing the buffer moves it, and a part taken from it with it: copied first.
        std::string copy;
        for (std::string_view part : parts) copy += part;
        return Write(indent, {copy});
    }
    const std::size_t start = end_;
    char* out = std::fill_n(Extend(length + kLineEnd.size()), indent, ' ');
    for (std::string_view part : parts) out = std::copy(part.begin(), part.end(), out);
    std::copy(kLineEnd.begin(), kLineEnd.end(), out);
    return Span{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(length)};
}

void TTextLines::Abandon(const Span& span) {
    unused_ += span.length + kLineEnd.size();
    if (unused_ * 2 > end_) Compact();
}

bool TTextLines::InBufferOrder() const {
    std::size_t next = 0;
    for (const Span& span : spans_) {
        if (span.start != next) return false;
        next += span.length + kLineEnd.size();
    }
    return next == end_;
}

void TTextLines::Compact() {
    std::string packed;
    packed.reserve(end_ - unused_);
    for (Span& span : spans_) {
        const std::size_t start = packed.size();
        packed.append(chars_, span.start, span.length + kLineEnd.size());
        span.start = static_cast<std::uint32_t>(start);
    }
    chars_ = std::move(packed);
    end_ = chars_.size();
    unused_ = 0;
}

}  // namespace kelc
