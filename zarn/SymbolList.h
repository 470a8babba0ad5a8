#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarn {

// An ordered list of names, each numbered by its position. Lookups find the first entry with
// the same text in constant time. The names lie one after another in one string, and the index
// is an open-addressing table of entry numbers: files have tens of thousands of labels, and a
// heap block per name and per table node cost more than the lookups themselves.
class SymbolList {
public:
    // Index of the first entry with this text, or -1.
    int Find(std::string_view text) const {
        if (slots_.empty()) return -1;
        const std::uint32_t hash = Hash(text);
        for (std::size_t at = hash & Mask();; at = (at + 1) & Mask()) {
            const Slot& slot = slots_[at];
            if (slot.index < 0) return -1;
            if (slot.hash == hash && Name(slot.index) == text) return slot.index;
        }
    }

    int Append(std::string_view text) {
        const int index = Count();
        const std::uint32_t hash = Hash(text);
        characters_.append(text);
        ends_.push_back(characters_.size());
        if (2 * ends_.size() > slots_.size()) Rehash(slots_.empty() ? 16 : 2 * slots_.size());
        Insert(hash, index);
        return index;
    }

    int Count() const { return static_cast<int>(ends_.size()); }

    std::string_view Name(int index) const {
        const std::size_t i = static_cast<std::size_t>(index);
        const std::size_t start = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(characters_).substr(start, ends_[i] - start);
    }

    // Keeps the room of a small list: a procedure's locals are cleared after every procedure.
    void Clear() {
        characters_.clear();
        ends_.clear();
        if (slots_.size() <= kKeptSlots)
            std::fill(slots_.begin(), slots_.end(), Slot{});
        else
            slots_ = std::vector<Slot>();
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        int index = -1;  // -1: empty
    };

    // FNV-1a: names are short, and an inline loop beats a library call on them.
    static std::uint32_t Hash(std::string_view text) {
        std::uint32_t hash = 2166136261u;
        for (unsigned char c : text) hash = (hash ^ c) * 16777619u;
        return hash;
    }

    static constexpr std::size_t kKeptSlots = 64;

    std::size_t Mask() const { return slots_.size() - 1; }

    // An earlier entry with the same text keeps its slot.
    void Insert(std::uint32_t hash, int index) {
        const std::string_view text = Name(index);
        for (std::size_t at = hash & Mask();; at = (at + 1) & Mask()) {
            Slot& slot = slots_[at];
            if (slot.index < 0) {
                slot = Slot{hash, index};
                return;
            }
            if (slot.hash == hash && Name(slot.index) == text) return;
        }
    }

    void Rehash(std::size_t size) {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(size, Slot{});
        for (const Slot& slot : old)
            if (slot.index >= 0) Insert(slot.hash, slot.index);
    }

    std::string characters_;
    std::vector<std::size_t> ends_;  // where each name ends in characters_
    std::vector<Slot> slots_;        // a power of two, at most half full
};

}  // namespace zarn
