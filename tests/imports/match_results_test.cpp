#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "imports/match_results.h"
#include "imports/placeholder.h"

namespace scorvale::imports {
namespace {

using G = std::optional<Goals>;
const G kNone;

Match group(std::string groupName, std::string team1, std::string team2, G ft, std::string date = "") {
    Match m;
    m.round = "Matchday";
    m.group = std::move(groupName);
    m.team1 = std::move(team1);
    m.team2 = std::move(team2);
    m.fullTime = ft;
    m.date = std::move(date);
    return m;
}

Match ko(std::string round, std::string team1, std::string team2, G ft, G et = {}, G p = {}, std::string date = "") {
    Match m = group("", std::move(team1), std::move(team2), ft, std::move(date));
    m.stage = Stage::knockout;
    m.round = std::move(round);
    m.extraTime = et;
    m.penalties = p;
    return m;
}

// A play-off before the group stage.
Match pre(std::string team1, std::string team2, G ft) {
    Match m = ko("Play-off", std::move(team1), std::move(team2), ft);
    m.stage = Stage::preliminary;
    return m;
}

std::string describe(const TeamResult& r) {
    std::string s = r.name + " " + std::to_string(r.wins) + "-" + std::to_string(r.draws) + "-" +
                    std::to_string(r.losses) + " gd" + std::to_string(r.goalDiff) + " tw" +
                    std::to_string(r.tournamentWins) + (r.qualify ? " q" : "") + (r.out ? " out" : "");
    if (!r.group.empty()) s += " [" + r.group + "]";
    if (!r.date.empty()) s += " " + r.date;
    return s;
}

std::vector<std::string> describe(const MatchResults& results) {
    std::vector<std::string> out;
    for (const TeamResult& r : results.teams) out.push_back(describe(r));
    return out;
}

MatchList listOf(std::vector<Match> matches) {
    MatchList list;
    int place = 0;
    for (Match& m : matches) m.place = ++place;
    list.matches = std::move(matches);
    return list;
}

// Four groups of two, so that a round of four knockout matches follows.
std::vector<Match> smallGroupStage() {
    return {group("Group A", "Ant", "Ape", Goals{1, 0}, "2002-06-10"),
            group("Group A", "Asp", "Auk", Goals{0, 0}, "2002-06-11"),
            group("Group B", "Bat", "Bee", Goals{2, 3}, "2002-06-12"),
            group("Group B", "Boa", "Bug", Goals{1, 0}, "2002-06-14")};
}

std::vector<Match> plus(std::vector<Match> a, const std::vector<Match>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(ComputeResults, Rules) {
    const struct {
        const char* what;
        std::vector<Match> matches;
        bool knockoutGoals;
        std::vector<std::string> expected;
    } cases[] = {
        {"group win and loss; the group without its word",
         {group("Group A", "X", "Y", Goals{2, 1})},
         false,
         {"X 1-0-0 gd1 tw0 [A]", "Y 0-0-1 gd-1 tw0 [A]"}},
        {"group draw", {group("B", "X", "Y", Goals{1, 1})}, false, {"X 0-1-0 gd0 tw0 [B]", "Y 0-1-0 gd0 tw0 [B]"}},
        {"goal difference over several matches",
         {group("A", "X", "Y", Goals{3, 0}), group("A", "Z", "X", Goals{2, 1}), group("A", "Y", "Z", Goals{0, 0})},
         false,
         {"X 1-0-1 gd2 tw0 [A]", "Y 0-1-1 gd-3 tw0 [A]", "Z 1-1-0 gd1 tw0 [A]"}},
        {"knockout by full time: no goals counted",
         {ko("Final", "X", "Y", Goals{2, 0})},
         false,
         {"X 0-0-0 gd0 tw1 q", "Y 0-0-0 gd0 tw0 q out"}},
        {"extra time decides",
         {ko("Final", "X", "Y", Goals{1, 1}, Goals{1, 2})},
         false,
         {"X 0-0-0 gd0 tw0 q out", "Y 0-0-0 gd0 tw1 q"}},
        {"penalties decide",
         {ko("Final", "X", "Y", Goals{1, 1}, Goals{1, 1}, Goals{5, 4})},
         false,
         {"X 0-0-0 gd0 tw1 q", "Y 0-0-0 gd0 tw0 q out"}},
        {"knockout goals after extra time with the option",
         {ko("SF", "X", "Y", Goals{1, 1}, Goals{3, 1}), ko("Final", "X", "Z", Goals{0, 0}, Goals{0, 0}, Goals{2, 4})},
         true,
         {"X 0-0-0 gd2 tw1 q out", "Y 0-0-0 gd-2 tw0 q out", "Z 0-0-0 gd0 tw1 q"}},
        {"third place match counts as a win",
         {ko("Semi-finals", "A", "B", Goals{1, 0}), ko("Semi-finals", "C", "D", Goals{0, 1}),
          ko("Match for third place", "B", "C", Goals{2, 3}), ko("Final", "A", "D", Goals{0, 2})},
         false,
         {"A 0-0-0 gd0 tw1 q out", "B 0-0-0 gd0 tw0 q out", "C 0-0-0 gd0 tw1 q out", "D 0-0-0 gd0 tw2 q"}},
        {"unplayed matches: teams listed, nothing counted",
         {group("A", "X", "Y", kNone), group("A", "X", "Z", Goals{1, 0}), ko("Final", "1A", "2A", kNone)},
         false,
         {"X 1-0-0 gd1 tw0 [A]", "Y 0-0-0 gd0 tw0 [A]", "Z 0-0-1 gd-1 tw0 [A]"}},
        {"a knockout match naming real teams has qualified them, played or not",
         {group("A", "X", "Y", Goals{0, 0}), ko("Final", "X", "Z", kNone)},
         false,
         {"X 0-1-0 gd0 tw0 q [A]", "Y 0-1-0 gd0 tw0 out [A]", "Z 0-0-0 gd0 tw0 q"}},
        // The group-stage rule waits for the last group match, whatever the
        // knockout matches say.
        {"a group match not played yet: nobody out by the groups",
         {group("A", "X", "Y", kNone), ko("Final", "X", "Z", kNone)},
         false,
         {"X 0-0-0 gd0 tw0 q [A]", "Y 0-0-0 gd0 tw0 [A]", "Z 0-0-0 gd0 tw0 q"}},
        {"the first round named while a group match is not played yet",
         plus(smallGroupStage(), {group("Group B", "Bat", "Boa", kNone), ko("Round of 16", "Ant", "Bee", kNone),
                                  ko("Round of 16", "Bat", "Asp", kNone)}),
         false,
         {"Ant 1-0-0 gd1 tw0 q [A] 02/06/10", "Ape 0-0-1 gd-1 tw0 [A] 02/06/10", "Asp 0-1-0 gd0 tw0 q [A] 02/06/11",
          "Auk 0-1-0 gd0 tw0 [A] 02/06/11", "Bat 0-0-1 gd-1 tw0 q [B] 02/06/12", "Bee 1-0-0 gd1 tw0 q [B] 02/06/12",
          "Boa 1-0-0 gd1 tw0 [B] 02/06/14", "Bug 0-0-1 gd-1 tw0 [B] 02/06/14"}},
        // A play-off into the groups puts its loser out and its winner in the
        // groups, no further; the round after the groups decides them.
        {"a play-off before the groups",
         plus(plus({pre("Ant", "Owl", Goals{2, 0})}, smallGroupStage()),
              {ko("Round of 16", "Ant", "Bee", kNone), ko("Round of 16", "Bat", "Asp", kNone)}),
         false,
         {"Ant 1-0-0 gd1 tw1 q [A] 02/06/10", "Owl 0-0-0 gd0 tw0 out", "Ape 0-0-1 gd-1 tw0 out [A] 02/06/14",
          "Asp 0-1-0 gd0 tw0 q [A] 02/06/11", "Auk 0-1-0 gd0 tw0 out [A] 02/06/14",
          "Bat 0-0-1 gd-1 tw0 q [B] 02/06/12", "Bee 1-0-0 gd1 tw0 q [B] 02/06/12", "Boa 1-0-0 gd1 tw0 out [B] 02/06/14",
          "Bug 0-0-1 gd-1 tw0 out [B] 02/06/14"}},
        {"play-offs are no first knockout round",
         plus({pre("Ant", "Owl", Goals{2, 0}), pre("Emu", "Bug", Goals{0, 1})}, smallGroupStage()),
         false,
         {"Ant 1-0-0 gd1 tw1 [A] 02/06/10", "Owl 0-0-0 gd0 tw0 out", "Emu 0-0-0 gd0 tw0 out",
          "Bug 0-0-1 gd-1 tw1 [B] 02/06/14", "Ape 0-0-1 gd-1 tw0 [A] 02/06/10", "Asp 0-1-0 gd0 tw0 [A] 02/06/11",
          "Auk 0-1-0 gd0 tw0 [A] 02/06/11", "Bat 0-0-1 gd-1 tw0 [B] 02/06/12", "Bee 1-0-0 gd1 tw0 [B] 02/06/12",
          "Boa 1-0-0 gd1 tw0 [B] 02/06/14"}},
        {"a league: wins, draws and losses only",
         {group("", "X", "Y", Goals{2, 1}), group("", "Y", "Z", Goals{1, 1}), group("", "Z", "X", Goals{3, 0})},
         false,
         {"X 1-0-1 gd-2 tw0", "Y 0-1-1 gd-1 tw0", "Z 1-1-0 gd3 tw0"}},
        {"date of the last played match, whatever the list order",
         {group("A", "X", "Y", Goals{1, 0}, "2002-06-09"), group("A", "X", "Z", Goals{1, 0}, "2002-06-01"),
          group("A", "Y", "Z", kNone, "2002-06-30")},
         false,
         {"X 2-0-0 gd2 tw0 [A] 02/06/09", "Y 0-0-1 gd-1 tw0 [A] 02/06/09", "Z 0-0-1 gd-1 tw0 [A] 02/06/01"}},
        {"a replayed draw decides nothing, the replay does",
         {ko("First round", "X", "Y", Goals{1, 1}, Goals{1, 1}), ko("First round, Replays", "Y", "X", Goals{2, 4})},
         true,
         {"X 0-0-0 gd2 tw1 q", "Y 0-0-0 gd-2 tw0 q out"}},
        {"names compared in normal form, first spelling kept",
         {group("A", "ブラジル", "Japan", Goals{1, 0}), group("A", "ﾌﾞﾗｼﾞﾙ", " JAPAN", Goals{2, 0})},
         false,
         {"ブラジル 2-0-0 gd3 tw0 [A]", "Japan 0-0-2 gd-3 tw0 [A]"}},
        {"group stage decided: group teams outside the knockout stage out on the last group day",
         plus(smallGroupStage(), {ko("Round of 16", "Ant", "Bee", kNone), ko("Round of 16", "Bat", "Asp", kNone),
                                  ko("Quarter-finals", "W1", "W2", kNone)}),
         false,
         {"Ant 1-0-0 gd1 tw0 q [A] 02/06/10", "Ape 0-0-1 gd-1 tw0 out [A] 02/06/14", "Asp 0-1-0 gd0 tw0 q [A] 02/06/11",
          "Auk 0-1-0 gd0 tw0 out [A] 02/06/14", "Bat 0-0-1 gd-1 tw0 q [B] 02/06/12", "Bee 1-0-0 gd1 tw0 q [B] 02/06/12",
          "Boa 1-0-0 gd1 tw0 out [B] 02/06/14", "Bug 0-0-1 gd-1 tw0 out [B] 02/06/14"}},
        {"a placeholder in the first knockout round: nobody out yet, placeholders no teams",
         plus(smallGroupStage(), {ko("Round of 16", "Ant", "Bee", kNone), ko("Round of 16", "1B", "2A", kNone),
                                  ko("Quarter-finals", "W1", "W2", kNone)}),
         false,
         {"Ant 1-0-0 gd1 tw0 q [A] 02/06/10", "Ape 0-0-1 gd-1 tw0 [A] 02/06/10", "Asp 0-1-0 gd0 tw0 [A] 02/06/11",
          "Auk 0-1-0 gd0 tw0 [A] 02/06/11", "Bat 0-0-1 gd-1 tw0 [B] 02/06/12", "Bee 1-0-0 gd1 tw0 q [B] 02/06/12",
          "Boa 1-0-0 gd1 tw0 [B] 02/06/14", "Bug 0-0-1 gd-1 tw0 [B] 02/06/14"}},
        // The first knockout round is the one with the most matches, not the
        // first written: a final and a third-place match after a second group
        // stage both keep their teams in.
        {"two one-match rounds after the groups",
         {group("A", "P", "Q", Goals{1, 0}, "1974-06-01"), group("A", "R", "S", Goals{1, 0}, "1974-06-02"),
          group("A", "T", "U", Goals{1, 0}, "1974-06-03"), ko("Match for third place", "P", "R", kNone),
          ko("Final", "T", "Q", kNone)},
         false,
         {"P 1-0-0 gd1 tw0 q [A] 74/06/01", "Q 0-0-1 gd-1 tw0 q [A] 74/06/01", "R 1-0-0 gd1 tw0 q [A] 74/06/02",
          "S 0-0-1 gd-1 tw0 out [A] 74/06/03", "T 1-0-0 gd1 tw0 q [A] 74/06/03", "U 0-0-1 gd-1 tw0 out [A] 74/06/03"}},
    };
    for (const auto& c : cases) {
        const MatchResults r = computeResults(listOf(c.matches), {c.knockoutGoals});
        EXPECT_EQ(describe(r), c.expected) << c.what;
    }
}

TEST(ComputeResults, CountsPlayedAndUnplayedMatches) {
    const MatchResults r = computeResults(listOf(plus(
        smallGroupStage(),
        {ko("R16", "Ant", "Bee", Goals{1, 0}), ko("R16", "Bat", "Asp", kNone), ko("QF", "W1", "W2", kNone)})));
    EXPECT_EQ(r.playedMatches, 5);
    EXPECT_EQ(r.unplayedMatches, 2);
    EXPECT_TRUE(r.groupStageDecided);
    EXPECT_EQ(r.teams[0].playedMatches, 2);
    EXPECT_EQ(r.teams[0].unplayedMatches, 0);
    EXPECT_EQ(r.teams[4].unplayedMatches, 1);  // B1
}

// Without round names (a CSV without the column) the first knockout round
// is the leading run without a repeated team or a match's winner.
TEST(ComputeResults, FirstKnockoutRoundWithoutRoundNames) {
    const struct {
        const char* what;
        std::vector<Match> knockout;
        std::vector<std::size_t> expected;  // positions after the four group matches
    } cases[] = {
        {"run ends at a repeated team",
         {ko("", "Ant", "Bee", Goals{1, 0}), ko("", "Bat", "Asp", Goals{1, 0}), ko("", "Ant", "Bat", kNone)},
         {4, 5}},
        {"run ends at a match's winner",
         {ko("", "1A", "2B", kNone), ko("", "1B", "2A", kNone), ko("", "W1", "W2", kNone)},
         {4, 5}},
        {"Japanese placeholders",
         {ko("", "A組1位", "B組2位", kNone), ko("", "準決勝1の勝者", "準決勝2の勝者", kNone)},
         {4}},
        {"group matches between knockout matches are skipped",
         {ko("", "Ant", "Bee", kNone), group("C", "Cod", "Cow", kNone), ko("", "Bat", "Asp", kNone)},
         {4, 6}},
    };
    for (const auto& c : cases) {
        std::vector<std::size_t> expected = c.expected;
        EXPECT_EQ(firstKnockoutRound(listOf(plus(smallGroupStage(), c.knockout))), expected) << c.what;
    }
    MatchList named = listOf(plus(smallGroupStage(), {ko("QF", "Ant", "Bee", kNone), ko("R16", "Ant", "Bee", kNone),
                                                      ko("R16", "Bat", "Asp", kNone)}));
    EXPECT_EQ(firstKnockoutRound(named), (std::vector<std::size_t>{5, 6}));
    EXPECT_TRUE(firstKnockoutRound(listOf(smallGroupStage())).empty());
    // Play-offs before the groups are not the knockout stage, however many.
    const std::vector<Match> playOffs = {pre("Ant", "Owl", Goals{1, 0}), pre("Ape", "Emu", Goals{1, 0}),
                                         pre("Asp", "Elk", Goals{1, 0})};
    EXPECT_TRUE(firstKnockoutRound(listOf(plus(playOffs, smallGroupStage()))).empty());
    EXPECT_EQ(firstKnockoutRound(listOf(plus(plus(playOffs, smallGroupStage()),
                                             {ko("R16", "Ant", "Bee", kNone), ko("R16", "Bat", "Asp", kNone)}))),
              (std::vector<std::size_t>{7, 8}));
}

// Thirty-four ways fixtures write a knockout slot before it is decided; the
// last twelve were once taken for teams. Each says whether only a later
// knockout round can name it (the winner or loser of a match).
TEST(Placeholder, FixtureNotations) {
    const struct {
        const char* notation;
        bool matchResult;
    } notations[] = {
        {"W49", true},
        {"L61", true},
        {"1A", false},
        {"2B", false},
        {"3A/B/C/D/F", false},
        {"Winner Group A", false},
        {"Group A Winner", false},
        {"Runner-up Group B", false},
        {"Group B runner-up", false},
        {"1st Group A", false},
        {"2nd Group B", false},
        {"3rd Group C/D/E", false},
        {"Winner Match 49", true},
        {"Loser Match 61", true},
        {"Winner 49", true},
        {"Winner SF1", true},
        {"A組1位", false},
        {"グループB2位", false},
        {"準決勝1の勝者", true},
        {"試合49敗者", true},
        {"TBD", false},
        {"未定", false},
        {"A1", false},
        {"Winner A", false},
        {"A Winner", false},
        {"Runner-up B", false},
        {"1st A", false},
        {"2nd B", false},
        {"3rd A/B/C/D/F", false},
        {"3ABCDF", false},
        {"Best 3rd", false},
        {"A組首位", false},
        {"Sieger A", false},
        {"Gewinner A", false},
    };
    static_assert(std::size(notations) == 34);
    for (const auto& n : notations) {
        EXPECT_TRUE(isPlaceholder(n.notation)) << n.notation;
        EXPECT_EQ(namesMatchResult(n.notation), n.matchResult) << n.notation;
    }
}

// The same families written otherwise, and names of real clubs and
// countries that look a little like them.
TEST(Placeholder, FamiliesAndLookAlikes) {
    const char* const slots[] = {
        "w7",          "３Ｃ/Ｄ",           "Ａ１",           "2 B",         "A-1",           "1. A",
        "Runner-up Group H", "Group H runners up", "Winner of Group A", "Third-placed team Group C/D/E",
        "Best third-placed team", "3rd best",  "Winner QF 1",   "Loser of SF 2", "Winner Match 49 (Quarter-final)",
        "Sieger Gruppe A", "Gruppenzweiter B", "Zweiter Gruppe C", "Bester Dritter", "Verlierer Spiel 61",
        "Sieger Halbfinale 1", "Pool A winner", "A組2位",   "グループA首位", "A組二位",    "tbc",
        "?",           "--",          "12A",          "P1",
    };
    const char* const teams[] = {
        "Brazil",       "Winners FC", "1. FC Köln",  "Schalke 04",  "1st Vienna FC", "First Vienna FC 1894",
        "Wales",        "W",          "L",           "Third Lanark", "ブラジル",     "A",
        "FC Winner",    "Group",      "Galatasaray", "49ers",        "76ers",        "1FC",
        "Real Madrid B", "Team A",    "Best",        "Winner",       "Group A",      "W 49",
        "大宮アルディージャ", "Second City", "T1", "z9",
    };
    for (const char* name : slots) EXPECT_TRUE(isPlaceholder(name)) << name;
    for (const char* name : teams) EXPECT_FALSE(isPlaceholder(name)) << name;
    for (const char* name : {"Sieger Spiel 49", "Loser of SF 2", "Verlierer Spiel 61"})
        EXPECT_TRUE(namesMatchResult(name)) << name;
    for (const char* name : {"Winner Group 1", "Gruppenzweiter B", "Brazil", "Winners FC"})
        EXPECT_FALSE(namesMatchResult(name)) << name;
}

TEST(GroupName, DropsTheWordGroup) {
    const std::pair<const char*, const char*> cases[] = {
        {"Group A", "A"}, {"group  H", "H"},  {"グループC", "C"},       {"グループ Ｄ", "Ｄ"},
        {"A", "A"},       {"Group", "Group"}, {"Groupe A", "Groupe A"}, {"1組", "1組"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(groupName(in), out) << in;
}

}  // namespace
}  // namespace scorvale::imports
