#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace kelc {

// Lines of emitted text in one character buffer, each followed there by CR LF, so that a finished
// text is handed over as it stands instead of being joined from a string per line. A line changed
// after later lines were added moves to the end of the buffer; the space it leaves is reclaimed
// once it outweighs the lines.
class TTextLines {
public:
    class Iterator;

    std::size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    std::string_view operator[](std::size_t index) const;
    std::string_view back() const { return (*this)[size() - 1]; }
    Iterator begin() const;
    Iterator end() const;

    // `indent` blanks, then the text, or the parts one after another.
    void Add(std::string_view text, std::size_t indent = 0) { Add({text}, indent); }
    void Add(std::initializer_list<std::string_view> parts, std::size_t indent = 0);
    void Set(std::size_t index, std::string_view text);
    void Append(std::size_t index, std::string_view text);
    void Insert(std::size_t index, std::string_view text);
    void Erase(std::size_t index);
    void AddAll(const TTextLines& other);
    void Clear();
    // Room for this much text without moving it as it grows. Only a hint: when the room cannot
    // be had, the buffer grows as it goes.
    void Reserve(std::size_t characters, std::size_t lines);

    // The lines, each followed by CR LF; the list is left empty.
    std::string TakeText();

private:
    struct Span {
        std::uint32_t start = 0;
        std::uint32_t length = 0;
    };

    // Lengthens the buffer by `count` characters and returns where they start.
    char* Extend(std::size_t count) {
        if (count > chars_.size() - end_) return ExtendBuffer(count);
        char* const out = chars_.data() + end_;
        end_ += count;
        return out;
    }
    // Extend when the string must be lengthened first.
    char* ExtendBuffer(std::size_t count);
    bool AnyInBuffer(std::initializer_list<std::string_view> parts) const;
    // Writes `indent` blanks, the parts and CR LF at the buffer's end.
    Span Write(std::size_t indent, std::initializer_list<std::string_view> parts);
    bool IsLastWritten(const Span& span) const { return span.start + span.length + 2 == end_; }
    void Abandon(const Span& span);
    bool InBufferOrder() const;
    void Compact();

    std::string chars_;       // the text up to end_, then zeros written ahead
    std::size_t end_ = 0;
    std::vector<Span> spans_;
    std::size_t unused_ = 0;  // bytes before end_ that no line holds any more
};

class TTextLines::Iterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string_view*;
    using reference = std::string_view;

    Iterator(const TTextLines& lines, std::size_t index) : lines_(&lines), index_(index) {}
    std::string_view operator*() const { return (*lines_)[index_]; }
    Iterator& operator++() {
        ++index_;
        return *this;
    }
    bool operator==(const Iterator& other) const { return index_ == other.index_; }
    bool operator!=(const Iterator& other) const { return index_ != other.index_; }

private:
    const TTextLines* lines_;
    std::size_t index_;
};

inline TTextLines::Iterator TTextLines::begin() const { return Iterator(*this, 0); }
inline TTextLines::Iterator TTextLines::end() const { return Iterator(*this, size()); }

}  // namespace kelc
