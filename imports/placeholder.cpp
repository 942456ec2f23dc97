#include "imports/placeholder.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "text/normalize.h"

namespace scorvale::imports {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }
bool hasDigit(std::string_view s) { return std::any_of(s.begin(), s.end(), isDigit); }

template <std::size_t N>
bool oneOf(std::string_view w, const std::string_view (&words)[N]) {
    return std::find(std::begin(words), std::end(words), w) != std::end(words);
}

// "w49", "l101"
bool isMatchCode(std::string_view s) {
    return s.size() >= 2 && (s[0] == 'w' || s[0] == 'l') && std::all_of(s.begin() + 1, s.end(), isDigit);
}

// Groups go from A to P at most, so "t1" stays a name.
bool isGroupLetter(char c) { return c >= 'a' && c <= 'p'; }

// A place before one group letter or several in alphabetical order, with or
// without slashes: "1a", "3a/b/c/d/f", "3abcdf"; a group letter then a place
// of one digit: "a1". The order of the letters keeps "1fc" and "49ers" names.
bool isGroupPlace(std::string_view s) {
    if (s.size() == 2 && isGroupLetter(s[0]) && isDigit(s[1]) && s[1] != '0') return true;
    std::size_t i = 0;
    while (i < s.size() && isDigit(s[i])) ++i;
    if (i == 0 || i == s.size() || s[0] == '0') return false;
    char last = 0;
    for (const std::size_t digits = i; i < s.size(); ++i) {
        if (s[i] == '/' && i > digits && i + 1 < s.size() && s[i + 1] != '/') continue;
        if (!isGroupLetter(s[i]) || s[i] <= last) return false;
        last = s[i];
    }
    return true;
}

// Words of ASCII letters and digits; any other ASCII character separates
// them, and other characters belong to the word ("köln" is one word).
std::vector<std::string_view> words(std::string_view s) {
    const auto inWord = [](char c) { return static_cast<unsigned char>(c) >= 0x80 || isDigit(c) || isLower(c); };
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && !inWord(s[i])) ++i;
        const std::size_t start = i;
        while (i < s.size() && inWord(s[i])) ++i;
        if (i > start) out.push_back(s.substr(start, i - start));
    }
    return out;
}

// Winning or losing a match.
bool isMatchOutcome(std::string_view w) {
    static constexpr std::string_view kWords[] = {"winner",   "winners",  "loser",     "losers", "sieger",
                                                  "gewinner", "verlierer", "verlierers"};
    return oneOf(w, kWords);
}

// A place in a group.
bool isPlace(std::string_view w) {
    static constexpr std::string_view kWords[] = {
        "runner",   "runners",  "runnerup",  "first",     "second",        "third",          "fourth",
        "1st",      "2nd",      "3rd",       "4th",       "erster",        "zweiter",        "dritter",
        "vierter",  "erste",    "zweite",    "dritte",    "gruppenerster", "gruppenzweiter", "gruppendritter",
        "gruppensieger"};
    return oneOf(w, kWords);
}

bool isBest(std::string_view w) {
    static constexpr std::string_view kWords[] = {"best", "bester", "beste", "besten", "bestes"};
    return oneOf(w, kWords);
}

bool isGroupReference(std::string_view w) {
    static constexpr std::string_view kWords[] = {"group", "groups", "gruppe", "pool"};
    return (w.size() == 1 && isLower(w[0])) || oneOf(w, kWords);
}

bool isMatchReference(std::string_view w) {
    static constexpr std::string_view kWords[] = {"match", "game", "spiel"};
    return hasDigit(w) || oneOf(w, kWords);
}

// Words that may stand beside the others without making a name of them.
bool isFiller(std::string_view w) {
    static constexpr std::string_view kWords[] = {
        "of",      "the",       "from",     "in",     "and",          "or",            "up",
        "place",   "placed",    "team",     "round",  "final",        "finals",        "semi",
        "quarter", "sf",        "qf",       "play",   "off",          "playoff",       "playoffs",
        "der",     "die",       "des",      "von",    "aus",          "im",            "und",
        "oder",    "platz",     "halbfinale", "viertelfinale", "achtelfinale", "semifinal", "semifinals",
        "quarterfinal", "quarterfinals"};
    return oneOf(w, kWords);
}

struct WordKinds {
    bool matchOutcome = false, place = false, best = false, groupRef = false, matchRef = false;
};

// The kinds of words a name is made of; nothing when it has a word of
// none of them (a name, then).
std::optional<WordKinds> wordKinds(std::string_view s) {
    WordKinds k;
    const std::vector<std::string_view> ws = words(s);
    if (ws.empty()) return std::nullopt;
    for (const std::string_view w : ws) {
        if (isMatchOutcome(w)) k.matchOutcome = true;
        else if (isPlace(w)) k.place = true;
        else if (isBest(w)) k.best = true;
        else if (isGroupReference(w)) k.groupRef = true;
        else if (isMatchReference(w)) k.matchRef = true;
        else if (!isFiller(w)) return std::nullopt;
    }
    return k;
}

// "Winner A", "Group B runner-up", "3rd A/B/C", "Best 3rd", "Loser Match 61",
// "2 B", "A-1"
bool isWordSlot(std::string_view s) {
    const std::optional<WordKinds> k = wordKinds(s);
    if (!k) return false;
    const bool outcome = k->matchOutcome || k->place;
    if (outcome && (k->groupRef || k->matchRef)) return true;
    if (k->best && k->place) return true;
    // A group letter and a place as two words.
    const std::vector<std::string_view> ws = words(s);
    const auto letter = [](std::string_view w) { return w.size() == 1 && isGroupLetter(w[0]); };
    const auto place = [](std::string_view w) { return w.size() == 1 && isDigit(w[0]) && w[0] != '0'; };
    return ws.size() == 2 && ((letter(ws[0]) && place(ws[1])) || (place(ws[0]) && letter(ws[1])));
}

bool isWordMatchResult(std::string_view s) {
    const std::optional<WordKinds> k = wordKinds(s);
    return k && k->matchOutcome && k->matchRef && !k->groupRef;
}

bool hasJapaneseMatchOutcome(std::string_view s) {
    return s.find("勝者") != std::string_view::npos || s.find("敗者") != std::string_view::npos;
}

bool isJapanesePlaceholder(std::string_view s) {
    if (hasJapaneseMatchOutcome(s) || s.find("首位") != std::string_view::npos) return true;
    // "A組1位", "グループB2位", "A組二位": a numeral, then 位
    static constexpr std::string_view kNumerals[] = {"一", "二", "三", "四"};
    for (std::size_t at = s.find("位"); at != std::string_view::npos; at = s.find("位", at + 1)) {
        if (at > 0 && isDigit(s[at - 1])) return true;
        for (const std::string_view n : kNumerals)
            if (s.substr(0, at).ends_with(n)) return true;
    }
    return false;
}

}  // namespace

bool isPlaceholder(std::string_view utf8Name) {
    const std::string folded = text::normalizeName(utf8Name);
    const std::string_view s = folded;
    if (s.empty()) return false;
    if (s == "tbd" || s == "tba" || s == "tbc" || s == "未定") return true;
    if (std::all_of(s.begin(), s.end(), [](char c) { return c == '?' || c == '-'; })) return true;
    return isMatchCode(s) || isGroupPlace(s) || isWordSlot(s) || isJapanesePlaceholder(s);
}

bool namesMatchResult(std::string_view utf8Name) {
    const std::string folded = text::normalizeName(utf8Name);
    const std::string_view s = folded;
    return isMatchCode(s) || isWordMatchResult(s) || hasJapaneseMatchOutcome(s);
}

}  // namespace scorvale::imports
