#include "scoring/team_index.h"

#include <cstring>

namespace scorvale {

std::uint64_t TeamIndex::hash(std::string_view text) {
    // Names are short: the first and last eight bytes and the length decide.
    std::uint64_t head = 0;
    std::uint64_t tail = 0;
    const std::size_t n = text.size();
    if (n >= 8) {
        std::memcpy(&head, text.data(), 8);
        std::memcpy(&tail, text.data() + n - 8, 8);
    } else if (n > 0) {
        std::memcpy(&head, text.data(), n);
    }
    std::uint64_t h = n * 0x9E3779B97F4A7C15ull;
    h ^= head * 0xC2B2AE3D27D4EB4Full;
    h = (h ^ (h >> 31)) * 0x165667B19E3779F9ull;
    h ^= tail * 0x27D4EB2F165667C5ull;
    return h ^ (h >> 29);
}

TeamIndex::TeamIndex(const std::vector<Team>& teams) {
    std::size_t size = 16;
    while (size < teams.size() * 2) size *= 2;
    slots_.resize(size);
    mask_ = size - 1;
    for (std::size_t i = 0; i < teams.size(); ++i) {
        const std::string_view name = teams[i].name.view();
        std::size_t s = hash(name) & mask_;
        while (slots_[s].index >= 0 && slots_[s].name != name) s = (s + 1) & mask_;
        if (slots_[s].index < 0) slots_[s] = {name, static_cast<int>(i)};  // a later duplicate never replaces
    }
}

int TeamIndex::find(std::string_view name) const {
    for (std::size_t s = hash(name) & mask_;; s = (s + 1) & mask_) {
        const Slot& slot = slots_[s];
        if (slot.index < 0) return -1;
        if (slot.name == name) return slot.index;
    }
}

}  // namespace scorvale
