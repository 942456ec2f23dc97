#pragma once

#include <array>
#include <cstdint>

namespace scorvale::detail {

// The scrambled form writes a byte as its two lowercase hex digits, the first
// shifted up by 10 and the second by 20 in character code.
struct HexCode {
    std::array<char, 512> encode{};       // byte -> two characters
    std::array<std::uint8_t, 256> high{};  // first character -> (digit * 16) & 0xFF
    std::array<std::uint8_t, 256> low{};   // second character -> digit & 0xFF

    constexpr HexCode() {
        constexpr char digits[] = "0123456789abcdef";
        for (int b = 0; b < 256; ++b) {
            encode[static_cast<std::size_t>(2 * b)] = static_cast<char>(digits[b >> 4] + 10);
            encode[static_cast<std::size_t>(2 * b + 1)] = static_cast<char>(digits[b & 15] + 20);
        }
        // The decoder does not validate: any character yields some digit.
        for (int c = 0; c < 256; ++c) {
            const int d1 = c - 10;
            const int d2 = c - 20;
            const int v1 = d1 >= 97 ? d1 - 87 : d1 - 48;
            const int v2 = d2 >= 97 ? d2 - 87 : d2 - 48;
            high[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>((v1 * 16) & 0xFF);
            low[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(v2 & 0xFF);
        }
    }

    std::uint8_t decode(unsigned char c1, unsigned char c2) const {
        return static_cast<std::uint8_t>(high[c1] + low[c2]);
    }
};

inline constexpr HexCode kHex{};

}  // namespace scorvale::detail
