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
    m.round = std::move(round);
    m.extraTime = et;
    m.penalties = p;
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
    return {group("Group A", "A1", "A2", Goals{1, 0}, "2002-06-10"),
            group("Group A", "A3", "A4", Goals{0, 0}, "2002-06-11"),
            group("Group B", "B1", "B2", Goals{2, 3}, "2002-06-12"),
            group("Group B", "B3", "B4", Goals{1, 0}, "2002-06-14")};
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
         {group("A", "X", "Y", kNone), ko("Final", "X", "Z", kNone)},
         false,
         {"X 0-0-0 gd0 tw0 q [A]", "Y 0-0-0 gd0 tw0 out [A]", "Z 0-0-0 gd0 tw0 q"}},
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
         plus(smallGroupStage(), {ko("Round of 16", "A1", "B2", kNone), ko("Round of 16", "B1", "A3", kNone),
                                  ko("Quarter-finals", "W1", "W2", kNone)}),
         false,
         {"A1 1-0-0 gd1 tw0 q [A] 02/06/10", "A2 0-0-1 gd-1 tw0 out [A] 02/06/14", "A3 0-1-0 gd0 tw0 q [A] 02/06/11",
          "A4 0-1-0 gd0 tw0 out [A] 02/06/14", "B1 0-0-1 gd-1 tw0 q [B] 02/06/12", "B2 1-0-0 gd1 tw0 q [B] 02/06/12",
          "B3 1-0-0 gd1 tw0 out [B] 02/06/14", "B4 0-0-1 gd-1 tw0 out [B] 02/06/14"}},
        {"a placeholder in the first knockout round: nobody out yet, placeholders no teams",
         plus(smallGroupStage(), {ko("Round of 16", "A1", "B2", kNone), ko("Round of 16", "1B", "2A", kNone),
                                  ko("Quarter-finals", "W1", "W2", kNone)}),
         false,
         {"A1 1-0-0 gd1 tw0 q [A] 02/06/10", "A2 0-0-1 gd-1 tw0 [A] 02/06/10", "A3 0-1-0 gd0 tw0 [A] 02/06/11",
          "A4 0-1-0 gd0 tw0 [A] 02/06/11", "B1 0-0-1 gd-1 tw0 [B] 02/06/12", "B2 1-0-0 gd1 tw0 q [B] 02/06/12",
          "B3 1-0-0 gd1 tw0 [B] 02/06/14", "B4 0-0-1 gd-1 tw0 [B] 02/06/14"}},
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
    const MatchResults r =
        computeResults(listOf(plus(smallGroupStage(), {ko("R16", "A1", "B2", Goals{1, 0}), ko("R16", "B1", "A3", kNone),
                                                       ko("QF", "W1", "W2", kNone)})));
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
         {ko("", "A1", "B2", Goals{1, 0}), ko("", "B1", "A3", Goals{1, 0}), ko("", "A1", "B1", kNone)},
         {4, 5}},
        {"run ends at a match's winner",
         {ko("", "1A", "2B", kNone), ko("", "1B", "2A", kNone), ko("", "W1", "W2", kNone)},
         {4, 5}},
        {"Japanese placeholders",
         {ko("", "A組1位", "B組2位", kNone), ko("", "準決勝1の勝者", "準決勝2の勝者", kNone)},
         {4}},
        {"group matches between knockout matches are skipped",
         {ko("", "A1", "B2", kNone), group("C", "C1", "C2", kNone), ko("", "B1", "A3", kNone)},
         {4, 6}},
    };
    for (const auto& c : cases) {
        std::vector<std::size_t> expected = c.expected;
        EXPECT_EQ(firstKnockoutRound(listOf(plus(smallGroupStage(), c.knockout))), expected) << c.what;
    }
    MatchList named = listOf(plus(
        smallGroupStage(), {ko("QF", "A1", "B2", kNone), ko("R16", "A1", "B2", kNone), ko("R16", "B1", "A3", kNone)}));
    EXPECT_EQ(firstKnockoutRound(named), (std::vector<std::size_t>{5, 6}));
    EXPECT_TRUE(firstKnockoutRound(listOf(smallGroupStage())).empty());
}

TEST(Placeholder, TellsTeamsNotKnownYet) {
    const char* const placeholders[] = {
        "W49",
        "L101",
        "w7",
        "1A",
        "2B",
        "3A/B/C/D/F",
        "３Ｃ/Ｄ",
        "Winner Group A",
        "Group B runner-up",
        "Runner-up Group H",
        "Loser Match 61",
        "Winner 49",
        "3rd Group C/D/E",
        "Winner SF1",
        "A組1位",
        "グループB2位",
        "準決勝1の勝者",
        "試合49敗者",
        "TBD",
        "tbc",
        "未定",
        "?",
        "--",
    };
    const char* const teams[] = {
        "Brazil", "Winners FC",   "1. FC Köln", "Schalke 04", "1st Vienna FC", "Wales", "W",
        "L",      "Third Lanark", "ブラジル",   "A",          "FC Winner",     "Group", "Galatasaray",
    };
    for (const char* name : placeholders) EXPECT_TRUE(isPlaceholder(name)) << name;
    for (const char* name : teams) EXPECT_FALSE(isPlaceholder(name)) << name;
    // Which of them only a later knockout round can name.
    for (const char* name : {"W49", "L101", "Loser Match 61", "Winner 49", "準決勝1の勝者"})
        EXPECT_TRUE(namesMatchResult(name)) << name;
    for (const char* name : {"1A", "3A/B/C", "Winner Group A", "A組1位", "Brazil"})
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
