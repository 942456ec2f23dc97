#include "scoring/past_standings.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "model/wrap_int.h"
#include "scoring/standings.h"

namespace scorvale {

std::vector<PastStandings> standingsOnDays(const Game& game, std::span<const HistoryDay> days) {
    // One number per team name any day knows; a vote becomes that number once.
    std::unordered_map<std::string_view, int> nameIds;
    for (const HistoryDay& day : days)
        for (const RecordedResults& r : day.teams) nameIds.emplace(r.name.view(), static_cast<int>(nameIds.size()));

    const auto& members = game.members();
    const int maxBet = std::max<std::int32_t>(game.settings.maxBet, 0);
    std::vector<int> voteStart(members.size() + 1);
    std::vector<int> voteIds;
    for (std::size_t i = 0; i < members.size(); ++i) {
        voteStart[i] = static_cast<int>(voteIds.size());
        const int counted = std::min(members[i].voteCount(), maxBet);
        auto vote = members[i].votes().begin();
        for (int p = 0; p < counted; ++p, ++vote) {
            const auto found = nameIds.find(*vote);
            voteIds.push_back(found == nameIds.end() ? -1 : found->second);
        }
    }
    voteStart[members.size()] = static_cast<int>(voteIds.size());

    std::vector<PastStandings> result;
    result.reserve(days.size());
    std::vector<const Team*> teamOfName(nameIds.size());
    for (const HistoryDay& day : days) {
        std::vector<Team> teams;
        teams.reserve(day.teams.size());
        for (const RecordedResults& r : day.teams) teams.push_back(recordedTeam(r));
        GameSettings rules = game.settings;
        rules.over = day.rankingFixed ? 1 : 0;
        computeTeamStandings(rules, teams);

        // The first team of a name in the day's order is the one votes find.
        std::fill(teamOfName.begin(), teamOfName.end(), nullptr);
        for (const Team& t : teams) {
            const Team*& slot = teamOfName[static_cast<std::size_t>(nameIds.at(t.name.view()))];
            if (slot == nullptr) slot = &t;
        }

        PastStandings standings{std::vector<std::int32_t>(members.size()), std::vector<std::int32_t>(members.size())};
        for (std::size_t i = 0; i < members.size(); ++i) {
            std::int32_t score = 0;
            for (int v = voteStart[i]; v < voteStart[i + 1]; ++v) {
                const int id = voteIds[static_cast<std::size_t>(v)];
                if (id < 0 || teamOfName[static_cast<std::size_t>(id)] == nullptr) continue;
                score = wrapAdd(score, game.voteValue(*teamOfName[static_cast<std::size_t>(id)], v - voteStart[i]));
            }
            standings.scores[i] = score;
        }
        rankByScore(standings.scores, standings.ranks);
        result.push_back(std::move(standings));
    }
    return result;
}

}  // namespace scorvale
