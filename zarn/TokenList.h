#pragma once
#include "platform/Memory.h"
#include "zarn/Token.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarn {

// Texts are addressed by 31-bit offsets.
constexpr std::size_t kTextLimit = std::size_t{1} << 31;

// Whether an assembly text of this many bytes can be tokenized.
inline bool FitsTextLimit(std::size_t bytes) { return bytes < kTextLimit; }

// The tokens of one assembly text together with the text itself. A token's text is a run of the
// assembly text, or, when it is not one (a token joined across a comment, a folded constant),
// a run of the list's own store.
class TokenList {
public:
    TokenList() = default;
    // Takes the text over; `FitsTextLimit(text.size())` must hold.
    explicit TokenList(std::string text) : text_(std::move(text)) {}

    // The whole assembly text.
    std::string_view Source() const { return text_; }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    Token& operator[](std::size_t i) { return blocks_[i >> kBlockBits][i & kBlockMask]; }
    const Token& operator[](std::size_t i) const { return blocks_[i >> kBlockBits][i & kBlockMask]; }
    Token& back() { return (*this)[size_ - 1]; }
    const Token& back() const { return (*this)[size_ - 1]; }

    std::string_view Text(std::size_t i) const { return TextOf((*this)[i]); }
    std::string_view TextOf(const Token& token) const {
        const std::string& store = (token.start & kOwnStoreBit) != 0 ? own_ : text_;
        return std::string_view(store.data() + (token.start & ~kOwnStoreBit), token.length);
    }

    // Appends a token whose text is the run [start, start + length) of the assembly text.
    void Add(std::size_t start, std::size_t length, int line) {
        if ((size_ & kBlockMask) == 0) {
            // A short text's only block is sized by the text (a token has a character or two),
            // and grows if it must; a long text's blocks are full-sized from the start.
            blocks_.emplace_back();
            blocks_.back().reserve(std::min(kBlockMask + 1, text_.size() / 4 + 16));
            platform::PreferLargePages(blocks_.back().data(), blocks_.back().capacity() * sizeof(Token));
        }
        blocks_.back().push_back(
            Token{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(length), 0, line});
        ++size_;
    }

    // Appends `characters` to the last token's text, which then moves to the own store unless it is
    // there already (as the last entry).
    void ExtendLast(std::string_view characters) {
        Token& token = back();
        if ((token.start & kOwnStoreBit) == 0) {
            std::string_view text = TextOf(token);
            token.start = static_cast<std::uint32_t>(own_.size()) | kOwnStoreBit;
            own_.append(text);
        }
        own_.append(characters);
        token.length += static_cast<std::uint32_t>(characters.size());
    }

    // Keeps `length` characters of token i's text from `offset` on.
    void Narrow(std::size_t i, std::size_t offset, std::size_t length) {
        (*this)[i].start += static_cast<std::uint32_t>(offset);
        (*this)[i].length = static_cast<std::uint32_t>(length);
    }

    // Gives token i a new text; false, with the token unchanged, when the own store is full.
    bool SetText(std::size_t i, std::string_view text) {
        if (!FitsTextLimit(own_.size() + text.size())) return false;
        (*this)[i].start = static_cast<std::uint32_t>(own_.size()) | kOwnStoreBit;
        (*this)[i].length = static_cast<std::uint32_t>(text.size());
        own_.append(text);
        return true;
    }

private:
    static constexpr std::uint32_t kOwnStoreBit = std::uint32_t{1} << 31;

    std::string text_;
    std::string own_;
    // Tokens are kept in blocks of a fixed number (8 MB of tokens): a long text's list grows
    // without moving what it holds, so it is never held twice and never counted first.
    static constexpr std::size_t kBlockBits = 19;
    static constexpr std::size_t kBlockMask = (std::size_t{1} << kBlockBits) - 1;
    std::vector<std::vector<Token>> blocks_;
    std::size_t size_ = 0;
};

}  // namespace zarn
