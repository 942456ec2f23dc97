#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/records.h"

namespace scorvale {

// Team lookup by exact name for one scoring pass: the first team of a name
// in collection order wins, like a linear scan, at the cost of one hash.
class TeamIndex {
public:
    explicit TeamIndex(const std::vector<Team>& teams);
    // Index of the first team named `name`, or -1.
    int find(std::string_view name) const;

private:
    struct Slot {
        std::string_view name;
        int index = -1;
    };
    static std::uint64_t hash(std::string_view text);

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
};

}  // namespace scorvale
