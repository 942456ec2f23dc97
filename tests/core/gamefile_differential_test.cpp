#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamefile/game_file.h"
#include "gamefile/hex_code.h"
#include "tests/support/game_compare.h"
#include "tests/support/game_file_tags.h"
#include "tests/support/literal_game_file.h"
#include "tests/support/random_game.h"

namespace scorvale {
namespace {

using namespace std::string_literals;

// Every tag of the file, then fragments and short values.
const std::vector<std::string> kTokens = [] {
    std::vector<std::string> tokens = testing::gameFileTags();
    for (const std::string& t :
         {"[G_"s, "[T_"s, "[M_"s, "NAME]"s, "END]"s, "WIN]"s, "TEAM]"s, "["s, "]"s, "<CR>"s, "<CR"s, "R>"s, " "s,
          "  12"s, "-5"s, "+"s, "x"s, "A"s, "B"s, "\r"s, "\n"s, "\r\n"s, "\n"s, "\n"s, "99999999999"s, "-2147483648"s,
          "\0"s, "\x93\xfa"s, "\x81"s, ">E"s, "pz"s})
        tokens.push_back(t);
    return tokens;
}();

// Text built from tags, tag fragments and short values: the inputs where the
// order of the tag tests and the in-place removal show.
std::string tokenSoup(testing::RandomGames& random) {
    std::string out;
    const int n = random.uniform(0, 120);
    for (int i = 0; i < n; ++i) out += kTokens[static_cast<std::size_t>(random.uniform(0, static_cast<int>(kTokens.size()) - 1))];
    return out;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t lf = text.find('\n', from);
        if (lf == std::string::npos) lf = text.size() - 1;
        lines.push_back(text.substr(from, lf + 1 - from));
        from = lf + 1;
    }
    return lines;
}

// A real file, bent: lines dropped, repeated, moved, cut or spliced with
// tokens, bytes flipped, line ends changed, the end cut off.
std::string mutated(testing::RandomGames& random, const std::string& file) {
    std::vector<std::string> lines = splitLines(file);
    const int edits = random.uniform(1, 8);
    for (int e = 0; e < edits && !lines.empty(); ++e) {
        const auto at = static_cast<std::size_t>(random.uniform(0, static_cast<int>(lines.size()) - 1));
        switch (random.uniform(0, 6)) {
            case 0: lines.erase(lines.begin() + static_cast<long>(at)); break;
            case 1: lines.insert(lines.begin() + static_cast<long>(at), lines[at]); break;
            case 2: std::swap(lines[at], lines[static_cast<std::size_t>(random.uniform(0, static_cast<int>(lines.size()) - 1))]); break;
            case 3: lines[at].insert(static_cast<std::size_t>(random.uniform(0, static_cast<int>(lines[at].size()))), tokenSoup(random).substr(0, 20)); break;
            case 4: if (!lines[at].empty()) lines[at][static_cast<std::size_t>(random.uniform(0, static_cast<int>(lines[at].size()) - 1))] = static_cast<char>(random.uniform(0, 255)); break;
            case 5: lines[at] = lines[at].substr(0, static_cast<std::size_t>(random.uniform(0, static_cast<int>(lines[at].size())))); break;
            default: if (lines[at].size() >= 2 && lines[at].back() == '\n' && lines[at][lines[at].size() - 2] == '\r') lines[at].erase(lines[at].size() - 2, 1); else lines[at] += "\r\n"; break;
        }
    }
    std::string out;
    for (const std::string& l : lines) out += l;
    if (random.uniform(0, 3) == 0) out.resize(static_cast<std::size_t>(random.uniform(0, static_cast<int>(out.size()))));
    return out;
}

// The single-pass reader must agree with the literal one field for field on
// real, bent and made-up files, under every flag set and into games that
// already hold records of the same names.
TEST(Differential, FastReaderMatchesTheLiteralReader) {
    testing::RandomGames random(55);
    for (int round = 0; round < 4000; ++round) {
        Game source = random.game(6, 8);
        source.report.head = random.multiLine();
        for (Team& t : source.teams()) t.symbol = random.text(2);
        std::string bytes;
        switch (random.uniform(0, 4)) {
            case 0: bytes = gameFileBytes(source); break;
            case 1: bytes = mutated(random, gameFileBytes(source)); break;
            case 2: bytes = mutated(random, gameFileText(source)); break;
            case 3: bytes = tokenSoup(random); break;
            default: bytes = (random.uniform(0, 1) ? "[G_NAME]"s : ""s) + tokenSoup(random) + "\n" + mutated(random, gameFileText(source)); break;
        }
        Game fast = random.uniform(0, 2) == 0 ? Game{} : random.game(4, 4);
        Game slow = fast;
        const unsigned pick = static_cast<unsigned>(random.uniform(0, 7));
        const unsigned flags = (pick & 1 ? 0x001u : 0u) | (pick & 2 ? 0x010u : 0u) | (pick & 4 ? 0x100u : 0u);
        loadGameBytes(fast, bytes, flags);
        literal::loadGameBytes(slow, bytes, flags);
        ASSERT_TRUE(testing::sameGame(fast, slow)) << "round " << round << " flags " << flags;
    }
}

// Every byte as its two scrambled characters, a line feed too (":N"), so
// that a decoded line can hold one.
std::string encodeAll(std::string_view plain) {
    std::string out;
    for (const char c : plain) out.append(&detail::kHex.encode[2u * static_cast<unsigned char>(c)], 2);
    return out;
}

// Scrambled lines of every length around the reader's 64-byte steps, ending
// in CR LF, LF, an odd character or the end of the input, holding decoded
// line feeds, brackets and tags, and now and then a raw '[' or "[G_NAME]".
TEST(Differential, ScrambledLinesOfEveryLength) {
    testing::RandomGames random(9);
    const std::string pieces[] = {"[M_TEAM]", "[M_END]", "[M_DATE]", "[", "\n", "x", "\x93\xfa", "[T_", "7", "\0"s};
    const std::string head = encodeAll("[G_NAME]n") + "\r\n" + encodeAll("[M_NAME]m") + "\r\n";
    const std::string filler = encodeAll("[M_TEAM]after") + "\r\n" + encodeAll("[M_END]") + "\r\n" +
                               encodeAll("[M_NAME]z") + "\r\n" + encodeAll(std::string(40, 'f')) + "\r\n";
    for (std::size_t length = 0; length < 140; ++length)
        for (int variant = 0; variant < 12; ++variant) {
            std::string plain;
            while (plain.size() < length) plain += pieces[static_cast<std::size_t>(random.uniform(0, 9))];
            plain.resize(length);
            std::string line = encodeAll(plain);
            switch (variant % 4) {
                case 0: line += "\r\n"; break;
                case 1: line += "\n"; break;
                case 2: line += "Q\r\n"; break;
                default: line += "\r"; break;
            }
            if (variant >= 8 && !line.empty())
                line.insert(static_cast<std::size_t>(random.uniform(0, static_cast<int>(line.size()) - 1)),
                            variant == 11 ? "[G_NAME]"s : "["s);
            for (const std::string& bytes : {head + line + filler, head + line}) {
                Game fast, slow;
                loadGameBytes(fast, bytes, 0x111);
                literal::loadGameBytes(slow, bytes, 0x111);
                ASSERT_TRUE(testing::sameGame(fast, slow)) << "length " << length << " variant " << variant;
            }
        }
}

}  // namespace
}  // namespace scorvale
