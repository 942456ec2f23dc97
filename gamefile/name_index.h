#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace scorvale::detail {

// Which names a collection already holds, for the load's merge check. The
// collection only grows while a load runs, so record indices stay valid.
// Open addressing over indices into the collection; built once per load.
template <typename Record>
class NameIndex {
public:
    explicit NameIndex(const std::vector<Record>& records) : records_(records) {
        std::size_t capacity = 64;
        while (capacity < records.size() * 2) capacity *= 2;
        slots_.assign(capacity, Slot{});
        for (std::size_t i = 0; i < records.size(); ++i) insert(static_cast<std::uint32_t>(i));
    }

    static std::uint32_t hashOf(std::string_view text) {
        std::uint64_t h = 1469598103934665603ull;
        for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        return static_cast<std::uint32_t>(h ^ (h >> 32));
    }

    // Starts fetching the first slot of hash `h`, for a lookup a little later:
    // in a big index that slot is far in memory.
    void prefetch(std::uint32_t h) const { __builtin_prefetch(&slots_[h & mask()]); }

    // Room for `count` records in all without growing.
    void reserve(std::size_t count) {
        if (count * 2 > slots_.size()) rehash(count * 2);
    }

    bool contains(std::string_view name) const { return contains(name, hashOf(name)); }
    bool contains(std::string_view name, std::uint32_t h) const {
        for (std::size_t s = h & mask();; s = (s + 1) & mask()) {
            const Slot& slot = slots_[s];
            if (slot.index == 0) return false;
            if (slot.hash == h && records_[slot.index - 1].name.view() == name) return true;
        }
    }

    // Call right after appending records_.back(), whose name was not present.
    void addLast() { insert(static_cast<std::uint32_t>(records_.size() - 1)); }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t index = 0;  // record index + 1; 0 is free
    };

    std::size_t mask() const { return slots_.size() - 1; }

    // Keeps the first record of a name: a later one of the same name is never found.
    void insert(std::uint32_t index) {
        if ((count_ + 1) * 2 > slots_.size()) grow();
        std::string_view name = records_[index].name.view();
        const std::uint32_t h = hashOf(name);
        for (std::size_t s = h & mask();; s = (s + 1) & mask()) {
            Slot& slot = slots_[s];
            if (slot.index == 0) {
                slot = Slot{h, index + 1};
                ++count_;
                return;
            }
            if (slot.hash == h && records_[slot.index - 1].name.view() == name) return;
        }
    }

    void grow() { rehash(slots_.size() * 2); }

    // At least `slots` slots, a power of two.
    void rehash(std::size_t slots) {
        std::size_t capacity = slots_.size();
        while (capacity < slots) capacity *= 2;
        std::vector<Slot> old(capacity, Slot{});
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.index == 0) continue;
            for (std::size_t s = slot.hash & mask();; s = (s + 1) & mask()) {
                if (slots_[s].index == 0) {
                    slots_[s] = slot;
                    break;
                }
            }
        }
    }

    const std::vector<Record>& records_;
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

}  // namespace scorvale::detail
