#include <gtest/gtest.h>

#include <random>
#include <string>

#include "gamefile/hex_code.h"
#include "gamefile/pair_decoder.h"

namespace scorvale::detail {
namespace {

// The block step must give the byte kHex.decode gives for every one of the
// 65536 pairs, valid hex or not.
TEST(PairDecoder, BlockMatchesTheDecoderForEveryPair) {
    std::string raw;
    for (unsigned c1 = 0; c1 < 256; ++c1)
        for (unsigned c2 = 0; c2 < 256; ++c2) {
            raw += static_cast<char>(c1);
            raw += static_cast<char>(c2);
        }
    std::string out(raw.size() / 2, '\0');
    for (std::size_t at = 0; at < raw.size(); at += 32) decodeBlock(raw.data() + at, out.data() + at / 2);
    for (std::size_t k = 0; k < out.size(); ++k)
        ASSERT_EQ(static_cast<unsigned char>(out[k]), kHex.decode(static_cast<unsigned char>(raw[2 * k]),
                                                                  static_cast<unsigned char>(raw[2 * k + 1])))
            << "pair " << k;
}

// The window gives the portable result: the decoded bytes and all four marks.
TEST(PairDecoder, WindowMatchesThePortableForm) {
    std::mt19937 rng(7);
    // Scrambled digits, line ends, brackets, a pair that decodes to a line
    // feed (":N") or to '[' ("?v"), and any byte.
    const std::string alphabet = ":;<=>?@ABCklmnopDEFGHIJKLMuvwxyz\n\n\r[[:N?v";
    for (int round = 0; round < 20000; ++round) {
        char raw[64];
        for (char& c : raw)
            c = rng() % 8 == 0 ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
        char fast[32], slow[32];
        const Window a = decodeWindow(raw, fast);
        const Window b = decodeWindowPortable(raw, slow);
        ASSERT_EQ(std::string(fast, 32), std::string(slow, 32)) << round;
        ASSERT_EQ(a.rawLineFeeds, b.rawLineFeeds) << round;
        ASSERT_EQ(a.rawBrackets, b.rawBrackets) << round;
        ASSERT_EQ(a.lineFeeds, b.lineFeeds) << round;
        ASSERT_EQ(a.brackets, b.brackets) << round;
    }
}

}  // namespace
}  // namespace scorvale::detail
