#include "model/game.h"

#include <algorithm>

#include "model/wrap_int.h"

namespace scorvale {

int Game::addTeam(Team team) {
    teams_.push_back(std::move(team));
    return teamCount() - 1;
}

void Game::removeTeamAt(int index) {
    if (index >= 0 && index < teamCount()) teams_.erase(teams_.begin() + index);
}

int Game::addMember(Member member) {
    members_.push_back(std::move(member));
    return memberCount() - 1;
}

void Game::removeMemberAt(int index) {
    if (index >= 0 && index < memberCount()) members_.erase(members_.begin() + index);
}

namespace {
template <typename Records>
int findByName(const Records& records, std::string_view name) {
    const auto it = std::find_if(records.begin(), records.end(),
                                 [name](const auto& record) { return record.name == name; });
    return it == records.end() ? -1 : static_cast<int>(it - records.begin());
}
}  // namespace

int Game::findTeamByName(std::string_view name) const { return findByName(teams_, name); }
int Game::findMemberByName(std::string_view name) const { return findByName(members_, name); }

std::int32_t votePoints(const GameSettings& settings, int position) {
    return wrapSub(settings.maxBet, position);
}

int rateExponent(std::int32_t rate) { return rate == 2 || rate == 3 ? rate : 1; }

std::int32_t wrapPower(std::int32_t base, int exponent) {
    std::int32_t result = base;
    for (int i = 1; i < exponent; ++i) result = wrapMul(result, base);
    return result;
}

std::int32_t Game::voteValue(const Team& team, int position) const {
    const std::int32_t base = wrapMul(wrapAdd(team.points, team.bonus), votePoints(settings, position));
    return wrapPower(base, rateExponent(settings.rate));
}

}  // namespace scorvale
