#include "imports/team_filter.h"

#include <algorithm>

#include "imports/national_teams.h"
#include "text/normalize.h"
#include "text/sjis_codec.h"

namespace scorvale::imports {

namespace {

// Hiragana U+3041..U+3096 to the katakana 0x60 above: both are three UTF-8
// bytes, so the text keeps its length.
void hiraganaToKatakana(std::string& utf8) {
    for (std::size_t i = 0; i + 2 < utf8.size(); ++i) {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(utf8[i + k]); };
        if (b(0) != 0xE3) continue;
        const unsigned cp = 0x3000u | ((b(1) & 0x3Fu) << 6) | (b(2) & 0x3Fu);
        if (cp < 0x3041 || cp > 0x3096) continue;
        const unsigned k = cp + 0x60;
        utf8[i + 1] = static_cast<char>(0x80 | ((k >> 6) & 0x3F));
        utf8[i + 2] = static_cast<char>(0x80 | (k & 0x3F));
        i += 2;
    }
}

}  // namespace

std::string filterForm(std::string_view utf8) {
    std::string form = text::normalizeName(utf8);
    hiraganaToKatakana(form);
    return form;
}

TeamFilter::TeamFilter(const Game& game) {
    keys_.reserve(game.teams().size());
    for (const Team& team : game.teams()) {
        const std::string name = sjis::toUtf8(team.name.view());
        std::vector<std::string> keys{filterForm(name), filterForm(sjis::toUtf8(team.group.view()))};
        if (const NationalTeam* national = findNationalTeam(name))
            for (const std::string_view other : allNames(*national)) keys.push_back(filterForm(other));
        keys_.push_back(std::move(keys));
    }
}

std::vector<bool> TeamFilter::matching(std::string_view utf8) const {
    const std::string wanted = filterForm(utf8);
    std::vector<bool> shown;
    shown.reserve(keys_.size());
    for (const auto& keys : keys_)
        shown.push_back(wanted.empty() || std::any_of(keys.begin(), keys.end(), [&](const std::string& key) {
                            return key.find(wanted) != std::string::npos;
                        }));
    return shown;
}

}  // namespace scorvale::imports
