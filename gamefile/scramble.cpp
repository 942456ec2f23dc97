#include "gamefile/game_file.h"
#include "gamefile/hex_code.h"

namespace scorvale {

std::string scrambleLine(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char ch : text) {
        if (ch == '\n') {
            out += '\n';
            continue;
        }
        const auto b = static_cast<unsigned char>(ch);
        out.append(&detail::kHex.encode[2u * b], 2);
    }
    return out;
}

// Pairs never reach across a line feed; a character left without a partner
// before a line feed or the end is dropped.
std::string unscrambleLine(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 2 + 1);
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\n') {
            out += '\n';
            ++i;
            continue;
        }
        if (i + 1 >= text.size() || text[i + 1] == '\n') {
            ++i;
            continue;
        }
        out += static_cast<char>(detail::kHex.decode(static_cast<unsigned char>(text[i]),
                                                     static_cast<unsigned char>(text[i + 1])));
        i += 2;
    }
    return out;
}

}  // namespace scorvale
