#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/game.h"
#include "report/pool_story.h"
#include "scoring/team_index.h"

namespace scorvale::phone {

// What every section of the members' page reads.
struct PageContext {
    PageContext(const Game& game, const ReportSettings& settings);

    const Game& game;
    const ReportSettings& settings;
    PoolStory story;
    TeamIndex teamByName;
    std::vector<std::string> teamNames;  // by team index, as escaped UTF-8
    std::string leftImage;               // the heading images' tags, or empty
    std::string rightImage;
};

// What became of a pick's team.
enum class PickState { in, out, top, missing };
PickState pickState(const Game& game, int team);

// <h2 id=...> with the heading images around the text.
void appendHeading(std::string& out, const PageContext& page, std::string_view id, std::string_view text);

void appendNumber(std::string& out, std::int64_t value);

// The members' standings with each member's picks and collapsed detail.
void appendStandings(std::string& out, const PageContext& page);
// The rank chart over the recorded days: the top five (and, with the
// script, the member found).
void appendRankChart(std::string& out, const PageContext& page);
// The team table and the most-picked teams.
void appendTeams(std::string& out, const PageContext& page);

}  // namespace scorvale::phone
