#include "scoring/radix_sort.h"

#include <array>

namespace scorvale {

void radixSortByKey(std::vector<KeyedIndex>& entries) {
    if (entries.size() < 2) return;
    static thread_local std::vector<KeyedIndex> buffer;
    buffer.resize(entries.size());
    for (int shift = 0; shift < 64; shift += 8) {
        std::array<std::size_t, 257> count{};
        for (const KeyedIndex& e : entries) ++count[((e.key >> shift) & 0xFF) + 1];
        bool single = false;
        for (std::size_t b = 1; b <= 256; ++b) single = single || count[b] == entries.size();
        if (single) continue;
        for (std::size_t b = 1; b <= 256; ++b) count[b] += count[b - 1];
        for (const KeyedIndex& e : entries) buffer[count[(e.key >> shift) & 0xFF]++] = e;
        entries.swap(buffer);
    }
}

std::vector<KeyedIndex>& keyedScratch(std::size_t size) {
    static thread_local std::vector<KeyedIndex> entries;
    entries.resize(size);
    return entries;
}

std::vector<std::uint32_t>& orderScratch(std::size_t size) {
    static thread_local std::vector<std::uint32_t> order;
    order.resize(size);
    return order;
}

}  // namespace scorvale
