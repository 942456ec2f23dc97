#pragma once

#include <cstdint>
#include <vector>

namespace scorvale {

// A record index with the 64-bit key it is ordered by.
struct KeyedIndex {
    std::uint64_t key;
    std::uint32_t index;
};

// Stable least-significant-digit radix sort by key, a byte per pass; passes
// whose byte is the same for every entry are skipped. Linear in the count,
// which matters for a million members.
void radixSortByKey(std::vector<KeyedIndex>& entries);

// Buffers reused from pass to pass: on a large pool, fresh pages for every
// pass cost more than the sorting itself.
std::vector<KeyedIndex>& keyedScratch(std::size_t size);
std::vector<std::uint32_t>& orderScratch(std::size_t size);

}  // namespace scorvale
