#include "imports/match_results.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <map>
#include <set>

#include "imports/placeholder.h"
#include "text/normalize.h"

namespace scorvale::imports {

namespace {

// A team while the list is walked; sums in 64 bits, as a list may be long.
struct Tally {
    TeamResult result;
    std::int64_t wins = 0, draws = 0, losses = 0, goalDiff = 0, tournamentWins = 0;
    std::string lastDate;  // YYYY-MM-DD
    bool inGroups = false;
    bool inKnockout = false;  // of the knockout stage
};

std::int32_t clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// "2002-06-14" -> "02/06/14"
std::string shortDate(const std::string& iso) {
    if (iso.size() != 10) return {};
    return iso.substr(2, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(8, 2);
}

bool startsWithFolded(std::string_view text, std::string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerPrefix[i]) return false;
    }
    return true;
}

class Teams {
public:
    explicit Teams(const MatchList& list) : list_(list) {}

    // The team of `name`, or null for a team not known yet.
    Tally* find(const std::string& name) {
        if (name.empty() || isSlot(list_, name)) return nullptr;
        const auto [it, added] = index_.try_emplace(text::normalizeName(name), tallies_.size());
        if (added) {
            tallies_.emplace_back();
            tallies_.back().result.name = name;
        }
        return &tallies_[it->second];
    }

    std::deque<Tally>& all() { return tallies_; }

private:
    const MatchList& list_;
    std::map<std::string, std::size_t> index_;
    std::deque<Tally> tallies_;  // keeps the tallies in place as teams are added
};

void noteDate(Tally& t, const std::string& date) {
    if (date > t.lastDate) t.lastDate = date;
}

// The leading run of the knockout stage of a list that names no rounds, in
// the order the matches are played.
std::vector<std::size_t> leadingRun(const MatchList& list) {
    std::vector<std::size_t> run;
    std::set<std::string> named;
    for (const std::size_t i : playingOrder(list)) {
        const Match& m = list.matches[i];
        if (m.stage != Stage::knockout) continue;
        const std::string k1 = text::normalizeName(m.team1), k2 = text::normalizeName(m.team2);
        if (named.count(k1) || named.count(k2) || namesMatchResult(m.team1) || namesMatchResult(m.team2)) break;
        named.insert(k1);
        named.insert(k2);
        run.push_back(i);
    }
    return run;
}

}  // namespace

std::string groupName(std::string_view group) {
    constexpr std::string_view kJapanese = "グループ";
    std::string_view rest = group;
    if (startsWithFolded(rest, "group "))
        rest.remove_prefix(6);
    else if (rest.starts_with(kJapanese))
        rest.remove_prefix(kJapanese.size());
    else
        return std::string(group);
    const std::string_view name = text::trimSpaces(rest);
    return std::string(name.empty() ? group : name);
}

std::vector<std::size_t> firstKnockoutRound(const MatchList& list) {
    // The knockout matches of each round, rounds in order of first appearance.
    std::vector<std::vector<std::size_t>> rounds;
    std::map<std::string_view, std::size_t> roundIndex;
    bool anyRound = false;
    for (std::size_t i = 0; i < list.matches.size(); ++i) {
        const Match& m = list.matches[i];
        if (m.stage != Stage::knockout) continue;
        anyRound = anyRound || !m.round.empty();
        const auto [it, fresh] = roundIndex.try_emplace(m.round, rounds.size());
        if (fresh) rounds.emplace_back();
        rounds[it->second].push_back(i);
    }
    if (!anyRound) return leadingRun(list);
    // max_element keeps the first of equal rounds.
    return *std::max_element(rounds.begin(), rounds.end(),
                             [](const auto& a, const auto& b) { return a.size() < b.size(); });
}

MatchResults computeResults(const MatchList& list, ResultOptions options) {
    MatchResults results;
    Teams teams(list);
    std::string lastGroupDate;
    bool groupsPlayed = true;
    for (const Match& m : list.matches) {
        Tally* sides[2] = {teams.find(m.team1), teams.find(m.team2)};
        (m.played() ? results.playedMatches : results.unplayedMatches) += 1;
        if (!m.knockout() && !m.played()) groupsPlayed = false;
        for (Tally* t : sides) {
            if (!t) continue;
            (m.played() ? t->result.playedMatches : t->result.unplayedMatches) += 1;
            if (m.stage == Stage::knockout) {
                t->inKnockout = true;
                t->result.qualify = 1;
            } else if (m.stage == Stage::group) {
                t->inGroups = true;
                if (t->result.group.empty()) t->result.group = groupName(m.group);
            }
        }
        // readMatchList lets no played match name a placeholder.
        if (!m.played() || !sides[0] || !sides[1]) continue;
        Tally& a = *sides[0];
        Tally& b = *sides[1];
        noteDate(a, m.date);
        noteDate(b, m.date);
        if (!m.knockout()) {
            if (m.date > lastGroupDate) lastGroupDate = m.date;
            const Goals& g = *m.fullTime;
            a.goalDiff += g.team1 - g.team2;
            b.goalDiff += g.team2 - g.team1;
            if (g.team1 == g.team2) {
                a.draws += 1;
                b.draws += 1;
            } else {
                Tally& winner = g.team1 > g.team2 ? a : b;
                Tally& loser = g.team1 > g.team2 ? b : a;
                winner.wins += 1;
                loser.losses += 1;
            }
            continue;
        }
        if (options.knockoutGoals) {
            const Goals g = finalScore(m);
            a.goalDiff += g.team1 - g.team2;
            b.goalDiff += g.team2 - g.team1;
        }
        if (const int side = matchWinner(m)) {
            (side == 1 ? a : b).tournamentWins += 1;
            (side == 1 ? b : a).result.out = 1;
        }
    }

    const std::vector<std::size_t> first = firstKnockoutRound(list);
    results.groupStageDecided =
        groupsPlayed && !first.empty() && std::all_of(first.begin(), first.end(), [&](std::size_t i) {
            return !isSlot(list, list.matches[i].team1) && !isSlot(list, list.matches[i].team2);
        });

    for (Tally& t : teams.all()) {
        if (results.groupStageDecided && t.inGroups && !t.inKnockout) {
            t.result.out = 1;
            noteDate(t, lastGroupDate);
        }
        TeamResult r = std::move(t.result);
        r.wins = clamp32(t.wins);
        r.draws = clamp32(t.draws);
        r.losses = clamp32(t.losses);
        r.goalDiff = clamp32(t.goalDiff);
        r.tournamentWins = clamp32(t.tournamentWins);
        r.date = shortDate(t.lastDate);
        results.teams.push_back(std::move(r));
    }
    return results;
}

}  // namespace scorvale::imports
