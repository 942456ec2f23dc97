#include "report/pool_story.h"

#include <algorithm>
#include <numeric>

#include "scoring/past_standings.h"

namespace scorvale {

namespace {

std::vector<int> byRank(int count, auto rankOf) {
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return rankOf(a) < rankOf(b); });
    return order;
}

// "yy/mm/dd", the only form whose days order as text.
bool isDayText(const std::string& date) {
    if (date.size() != 8 || date[2] != '/' || date[5] != '/') return false;
    for (std::size_t i : {0, 1, 3, 4, 6, 7})
        if (date[i] < '0' || date[i] > '9') return false;
    return true;
}

}  // namespace

std::string shortDate(const std::string& date) {
    if (!isDayText(date)) return date;
    const auto part = [&](std::size_t at) {
        return date[at] == '0' ? date.substr(at + 1, 1) : date.substr(at, 2);
    };
    return part(3) + "/" + part(6);
}

PoolStory tellStory(const Game& game) {
    PoolStory story;
    story.members = byRank(game.memberCount(), [&](int i) { return game.memberAt(i).rank; });
    story.teams = byRank(game.teamCount(), [&](int i) { return game.teamAt(i).rank; });

    const std::vector<HistoryDay>& days = game.history.days();
    const bool lastIsToday =
        !days.empty() && sameResults(days.back(), currentResults(game, days.back().date));
    const std::size_t pastDays = lastIsToday ? days.size() - 1 : days.size();
    for (const PastStandings& past : standingsOnDays(game, std::span(days.data(), pastDays)))
        story.ranks.push_back(past.ranks);
    std::vector<std::int32_t> today(static_cast<std::size_t>(game.memberCount()));
    for (int i = 0; i < game.memberCount(); ++i) today[static_cast<std::size_t>(i)] = game.memberAt(i).rank;
    story.ranks.push_back(std::move(today));
    for (std::size_t d = 0; d < pastDays; ++d) story.pointDates.push_back(days[d].date);
    story.pointDates.push_back(lastIsToday ? days.back().date : std::string());

    const int points = static_cast<int>(story.pointDates.size());
    story.baseline = points >= 2 ? points - 2 : -1;
    story.firstPoint.resize(static_cast<std::size_t>(game.memberCount()));
    story.movement.resize(static_cast<std::size_t>(game.memberCount()));
    for (int i = 0; i < game.memberCount(); ++i) {
        const std::string& joined = game.memberAt(i).date.str();
        int first = 0;
        if (isDayText(joined))
            while (first < points - 1 && isDayText(story.pointDates[static_cast<std::size_t>(first)]) &&
                   story.pointDates[static_cast<std::size_t>(first)] < joined)
                ++first;
        story.firstPoint[static_cast<std::size_t>(i)] = first;

        Movement& move = story.movement[static_cast<std::size_t>(i)];
        if (story.baseline < 0) continue;
        if (first > story.baseline) {
            move.kind = Movement::Kind::newcomer;
            continue;
        }
        const std::int32_t then = story.ranks[static_cast<std::size_t>(story.baseline)][static_cast<std::size_t>(i)];
        const std::int32_t now = story.ranks.back()[static_cast<std::size_t>(i)];
        move.kind = now < then ? Movement::Kind::up : now > then ? Movement::Kind::down : Movement::Kind::same;
        move.places = now < then ? then - now : now - then;
    }
    return story;
}

}  // namespace scorvale
