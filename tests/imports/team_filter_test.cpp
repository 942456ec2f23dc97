#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imports/team_filter.h"
#include "text/sjis_codec.h"

namespace scorvale::imports {
namespace {

TEST(TeamFilter, FindsTeamsByAnyOfTheirNames) {
    Game game;
    for (const auto& [name, group] : {std::pair{"ブラジル", "C"}, {"日本", "H"}, {"Atlantis", "Z組"}, {"ﾌﾞﾗｳﾝ", ""}}) {
        Team team;
        team.name = *sjis::fromUtf8(name);
        team.group = *sjis::fromUtf8(group);
        game.addTeam(team);
    }
    const TeamFilter filter(game);
    using Shown = std::vector<bool>;
    const struct {
        const char* typed;
        Shown shown;
    } cases[] = {
        {"ブラ", {true, false, false, true}},
        {"bra", {true, false, false, false}},  // Brazil, Brasil
        {"BRA", {true, false, false, false}},
        {"ﾌﾞﾗｼﾞ", {true, false, false, false}},
        {"ぶらじる", {true, false, false, false}},
        {"ｂｒａｚ", {true, false, false, false}},
        {"jpn", {false, true, false, false}},
        {"ニッポン", {false, true, false, false}},
        {"z組", {false, false, true, false}},
        {"ATL", {false, false, true, false}},
        {"", {true, true, true, true}},
        {" \u3000", {true, true, true, true}},
        {"xyz", {false, false, false, false}},
    };
    for (const auto& c : cases) EXPECT_EQ(filter.matching(c.typed), c.shown) << c.typed;
}

}  // namespace
}  // namespace scorvale::imports
