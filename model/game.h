#pragma once

#include <string_view>
#include <vector>

#include "model/records.h"
#include "model/results_history.h"

namespace scorvale {

// The whole pool: rules, report texts, members and teams, each collection in
// the order the lists, the file and the page present it.
class Game {
public:
    GameSettings settings;
    ReportSettings report;
    // Kept beyond what the file format defines (after its last line): the
    // teams' results day by day, and the page HTML出力 writes.
    ResultsHistory history;
    PageChoice page;

    int teamCount() const { return static_cast<int>(teams_.size()); }
    Team& teamAt(int index) { return teams_[static_cast<std::size_t>(index)]; }
    const Team& teamAt(int index) const { return teams_[static_cast<std::size_t>(index)]; }
    int addTeam(Team team);
    void removeTeamAt(int index);
    void clearTeams() { teams_.clear(); }

    int memberCount() const { return static_cast<int>(members_.size()); }
    Member& memberAt(int index) { return members_[static_cast<std::size_t>(index)]; }
    const Member& memberAt(int index) const { return members_[static_cast<std::size_t>(index)]; }
    int addMember(Member member);
    void removeMemberAt(int index);
    void clearMembers() { members_.clear(); }

    // The whole collections, for passes and orderings over every record.
    std::vector<Team>& teams() { return teams_; }
    const std::vector<Team>& teams() const { return teams_; }
    std::vector<Member>& members() { return members_; }
    const std::vector<Member>& members() const { return members_; }

    // Lowest index whose name equals `name` byte for byte, or -1.
    int findTeamByName(std::string_view name) const;
    int findMemberByName(std::string_view name) const;

    // Points a vote for `team` at 0-based `position` brings a member.
    std::int32_t voteValue(const Team& team, int position) const;

private:
    std::vector<Member> members_;
    std::vector<Team> teams_;
};

// Weight of a vote at `position`: the first choice weighs maxBet.
std::int32_t votePoints(const GameSettings& settings, int position);
// 2 for squared, 3 for cubed dividends, 1 for every other rate.
int rateExponent(std::int32_t rate);
// `base` raised to `exponent` (1 to 3) by repeated wrapping multiplication.
std::int32_t wrapPower(std::int32_t base, int exponent);

}  // namespace scorvale
