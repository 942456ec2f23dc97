#include "imports/placeholder.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "text/normalize.h"

namespace scorvale::imports {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }

// "w49", "l101"
bool isMatchCode(std::string_view s) {
    return s.size() >= 2 && (s[0] == 'w' || s[0] == 'l') && std::all_of(s.begin() + 1, s.end(), isDigit);
}

// "1a", "2b", "3a/b/c/d/f"
bool isGroupPlace(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isDigit(s[i])) ++i;
    if (i == 0 || i == s.size()) return false;
    for (;;) {
        if (i >= s.size() || !isLower(s[i])) return false;
        ++i;
        if (i == s.size()) return true;
        if (s[i] != '/') return false;
        ++i;
    }
}

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && !(isDigit(s[i]) || isLower(s[i]) || s[i] == '-')) ++i;
        const std::size_t start = i;
        while (i < s.size() && (isDigit(s[i]) || isLower(s[i]) || s[i] == '-')) ++i;
        if (i > start) out.push_back(s.substr(start, i - start));
    }
    return out;
}

bool isOutcomeWord(std::string_view w) {
    static constexpr std::array<std::string_view, 14> kWords = {
        "winner",  "winners", "loser",  "losers", "runner-up", "runners-up", "runner",
        "runners", "first",   "second", "third",  "1st",       "2nd",        "3rd"};
    return std::find(kWords.begin(), kWords.end(), w) != kWords.end();
}

bool isMatchOutcomeWord(std::string_view w) { return w == "winner" || w == "winners" || w == "loser" || w == "losers"; }

bool isMatchReferenceWord(std::string_view w) {
    return w == "match" || w == "game" || std::any_of(w.begin(), w.end(), isDigit);
}

bool isReferenceWord(std::string_view w) {
    return w == "group" || w == "match" || w == "game" || std::any_of(w.begin(), w.end(), isDigit);
}

// Two different words of the name, one of each kind.
template <typename First, typename Second>
bool hasWordPair(std::string_view s, First first, Second second) {
    const std::vector<std::string_view> ws = words(s);
    for (std::size_t i = 0; i < ws.size(); ++i) {
        if (!first(ws[i])) continue;
        for (std::size_t j = 0; j < ws.size(); ++j)
            if (j != i && second(ws[j])) return true;
    }
    return false;
}

// A word of winning, losing or a place, and another word naming a group,
// a match or a number.
bool isOutcomePhrase(std::string_view s) { return hasWordPair(s, isOutcomeWord, isReferenceWord); }

bool hasJapaneseMatchOutcome(std::string_view s) {
    return s.find("勝者") != std::string_view::npos || s.find("敗者") != std::string_view::npos;
}

bool isJapanesePlaceholder(std::string_view s) {
    if (hasJapaneseMatchOutcome(s)) return true;
    // "A組1位", "グループB2位": a digit, then 位
    for (std::size_t at = s.find("位"); at != std::string_view::npos; at = s.find("位", at + 1))
        if (at > 0 && isDigit(s[at - 1])) return true;
    return false;
}

}  // namespace

bool isPlaceholder(std::string_view utf8Name) {
    const std::string folded = text::normalizeName(utf8Name);
    const std::string_view s = folded;
    if (s.empty()) return false;
    if (s == "tbd" || s == "tba" || s == "tbc" || s == "未定") return true;
    if (std::all_of(s.begin(), s.end(), [](char c) { return c == '?' || c == '-'; })) return true;
    return isMatchCode(s) || isGroupPlace(s) || isOutcomePhrase(s) || isJapanesePlaceholder(s);
}

bool namesMatchResult(std::string_view utf8Name) {
    const std::string folded = text::normalizeName(utf8Name);
    const std::string_view s = folded;
    return isMatchCode(s) || hasWordPair(s, isMatchOutcomeWord, isMatchReferenceWord) || hasJapaneseMatchOutcome(s);
}

}  // namespace scorvale::imports
