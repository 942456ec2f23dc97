#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "gamefile/hex_code.h"

namespace scorvale::detail {

// Decoding scrambled text fast: a table that turns two raw characters into
// their byte with one load, and a step that decodes 16 pairs at once. Both
// give exactly the bytes kHex.decode gives, for any characters.

// Indexed by the two characters as they lie in memory.
inline const std::array<std::uint8_t, 65536>& decodedPairs() {
    static const std::array<std::uint8_t, 65536> table = [] {
        std::array<std::uint8_t, 65536> t{};
        for (unsigned c1 = 0; c1 < 256; ++c1)
            for (unsigned c2 = 0; c2 < 256; ++c2) {
                const unsigned char pair[2] = {static_cast<unsigned char>(c1), static_cast<unsigned char>(c2)};
                std::uint16_t index;
                std::memcpy(&index, pair, 2);
                t[index] = kHex.decode(pair[0], pair[1]);
            }
        return t;
    }();
    return table;
}

// Decodes `pairs` pairs from `raw` into `out`.
inline void decodePairs(const char* raw, std::size_t pairs, char* out) {
    const auto& table = decodedPairs();
    for (std::size_t k = 0; k < pairs; ++k) {
        std::uint16_t index;
        std::memcpy(&index, raw + 2 * k, 2);
        out[k] = static_cast<char>(table[index]);
    }
}

#if defined(__SSE2__)

// The decoder's arithmetic on eight pairs in 16-bit lanes: a first character
// c gives (c - (c > 106 ? 97 : 58)) * 16, a second c - (c > 116 ? 107 : 68),
// summed modulo 256.
inline __m128i decodeLanes(__m128i raw) {
    const __m128i lowByte = _mm_set1_epi16(0x00FF);
    const __m128i step = _mm_set1_epi16(39);
    const __m128i c1 = _mm_and_si128(raw, lowByte);
    const __m128i c2 = _mm_srli_epi16(raw, 8);
    const __m128i k1 = _mm_add_epi16(_mm_set1_epi16(58), _mm_and_si128(_mm_cmpgt_epi16(c1, _mm_set1_epi16(106)), step));
    const __m128i k2 = _mm_add_epi16(_mm_set1_epi16(68), _mm_and_si128(_mm_cmpgt_epi16(c2, _mm_set1_epi16(116)), step));
    const __m128i high = _mm_slli_epi16(_mm_sub_epi16(c1, k1), 4);
    return _mm_and_si128(_mm_add_epi16(high, _mm_sub_epi16(c2, k2)), lowByte);
}

#endif

// Decodes the 16 pairs of raw[0..32) into out[0..16).
inline void decodeBlock(const char* raw, char* out) {
#if defined(__SSE2__)
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(raw));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(raw + 16));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(decodeLanes(a), decodeLanes(b)));
#else
    decodePairs(raw, 16, out);
#endif
}

// The 64 raw bytes from a line's start, decoded at once, and where the raw
// and the decoded line feeds and '[' bytes lie: most lines end within them,
// and then finding the end, decoding and the tag search take no loop.
struct Window {
    std::uint64_t rawLineFeeds = 0;  // bit i: raw[i] is '\n'
    std::uint64_t rawBrackets = 0;   // bit i: raw[i] is '['
    std::uint32_t lineFeeds = 0;     // bit k: decoded byte k is '\n'
    std::uint32_t brackets = 0;      // bit k: decoded byte k is '['
};

// Decodes the 32 pairs of raw[0..64) into out[0..32).
inline Window decodeWindowPortable(const char* raw, char* out) {
    Window w;
    decodePairs(raw, 32, out);
    for (unsigned i = 0; i < 64; ++i) {
        if (raw[i] == '\n') w.rawLineFeeds |= std::uint64_t{1} << i;
        if (raw[i] == '[') w.rawBrackets |= std::uint64_t{1} << i;
    }
    for (unsigned k = 0; k < 32; ++k) {
        if (out[k] == '\n') w.lineFeeds |= 1u << k;
        if (out[k] == '[') w.brackets |= 1u << k;
    }
    return w;
}

#if defined(__SSE2__)

inline std::uint32_t maskOf(__m128i v, __m128i byte) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, byte)));
}

inline Window decodeWindowSse2(const char* raw, char* out) {
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i bracket = _mm_set1_epi8('[');
    const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(raw));
    const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(raw + 16));
    const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(raw + 32));
    const __m128i v3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(raw + 48));
    const __m128i d0 = _mm_packus_epi16(decodeLanes(v0), decodeLanes(v1));
    const __m128i d1 = _mm_packus_epi16(decodeLanes(v2), decodeLanes(v3));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), d0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), d1);
    Window w;
    w.rawLineFeeds = (std::uint64_t{maskOf(v0, lf)} | std::uint64_t{maskOf(v1, lf)} << 16) |
                     (std::uint64_t{maskOf(v2, lf)} << 32 | std::uint64_t{maskOf(v3, lf)} << 48);
    w.rawBrackets = (std::uint64_t{maskOf(v0, bracket)} | std::uint64_t{maskOf(v1, bracket)} << 16) |
                    (std::uint64_t{maskOf(v2, bracket)} << 32 | std::uint64_t{maskOf(v3, bracket)} << 48);
    w.lineFeeds = maskOf(d0, lf) | maskOf(d1, lf) << 16;
    w.brackets = maskOf(d0, bracket) | maskOf(d1, bracket) << 16;
    return w;
}

inline Window decodeWindow(const char* raw, char* out) { return decodeWindowSse2(raw, out); }

#else

inline Window decodeWindow(const char* raw, char* out) { return decodeWindowPortable(raw, out); }

#endif

}  // namespace scorvale::detail
