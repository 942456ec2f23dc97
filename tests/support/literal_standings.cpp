#include "tests/support/literal_standings.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace scorvale::literal {

namespace {
using i32 = std::int32_t;
using u32 = std::uint32_t;
i32 add(i32 a, i32 b) { return static_cast<i32>(static_cast<u32>(a) + static_cast<u32>(b)); }
i32 mul(i32 a, i32 b) { return static_cast<i32>(static_cast<u32>(a) * static_cast<u32>(b)); }

int findTeam(const Game& game, const std::string& name) {
    for (int i = 0; i < game.teamCount(); ++i)
        if (game.teamAt(i).name.str() == name) return i;
    return -1;
}

i32 vote(const Game& game, const Team& t, int p) {
    i32 base = mul(add(t.points, t.bonus), add(game.settings.maxBet, -p));
    if (game.settings.rate == 2) return mul(base, base);
    if (game.settings.rate == 3) return mul(mul(base, base), base);
    return base;
}
}  // namespace

void computeStandings(Game& game) {
    const GameSettings& s = game.settings;
    for (int i = 0; i < game.teamCount(); ++i) {
        Team& t = game.teamAt(i);
        t.points = add(add(add(mul(t.wins, s.winPoints), mul(t.losses, s.losePoints)), mul(t.draws, s.drawPoints)),
                       mul(t.tournamentWins, s.tournamentWinPoints));
        t.played = add(add(add(t.wins, t.losses), t.draws), t.tournamentWins);
        t.bonus = t.qualify != 0 ? s.qualifyBonus : 0;
    }
    // The teams are visited by their standing before place bonuses: each
    // time the best team not yet visited (larger total, then larger goal
    // difference), the earliest in the collection among equals.
    std::vector<bool> visited(static_cast<std::size_t>(game.teamCount()), false);
    for (int n = 0; n < game.teamCount(); ++n) {
        int i = -1;
        for (int c = 0; c < game.teamCount(); ++c) {
            if (visited[static_cast<std::size_t>(c)]) continue;
            if (i < 0) { i = c; continue; }
            const Team& best = game.teamAt(i);
            const Team& u = game.teamAt(c);
            if (add(u.points, u.bonus) > add(best.points, best.bonus)) i = c;
            else if (add(u.points, u.bonus) == add(best.points, best.bonus) && u.goalDiff > best.goalDiff) i = c;
        }
        visited[static_cast<std::size_t>(i)] = true;
        Team& t = game.teamAt(i);
        t.rank = 1;
        for (int j = 0; j < game.teamCount(); ++j) {
            if (j == i) continue;
            const Team& u = game.teamAt(j);
            if (add(t.points, t.bonus) < add(u.points, u.bonus)) t.rank++;
            else if (add(t.points, t.bonus) == add(u.points, u.bonus) && t.goalDiff < u.goalDiff) t.rank++;
        }
        if (t.points != 0 && s.over != 0) {
            if (t.rank == 1) t.bonus = add(t.bonus, s.bonus1);
            if (t.rank == 2) t.bonus = add(t.bonus, s.bonus2);
            if (t.rank == 3) t.bonus = add(t.bonus, s.bonus3);
        }
        t.popularity = 0;
    }
    for (int m = 0; m < game.memberCount(); ++m) {
        Member& mem = game.memberAt(m);
        mem.score = 0;
        for (int p = 0; p < mem.voteCount() && p < s.maxBet; ++p) {
            const int t = findTeam(game, std::string(mem.vote(p)));
            if (t < 0) continue;
            mem.score = add(mem.score, vote(game, game.teamAt(t), p));
            game.teamAt(t).popularity = add(game.teamAt(t).popularity, add(s.maxBet, -p));
        }
    }
    for (int m = 0; m < game.memberCount(); ++m) {
        Member& mem = game.memberAt(m);
        mem.rank = 1;
        for (int o = 0; o < game.memberCount(); ++o)
            if (o != m && game.memberAt(o).score > mem.score) mem.rank++;
    }
}

int compareText(const std::string& a, const std::string& b) {
    // Walk both as zero-terminated byte strings.
    const auto* pa = reinterpret_cast<const unsigned char*>(a.c_str());
    const auto* pb = reinterpret_cast<const unsigned char*>(b.c_str());
    auto lead = [](unsigned c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); };
    while (*pa != 0 && *pb != 0) {
        unsigned ca = *pa++;
        if (lead(ca)) { ca = ca * 256 + *pa; if (*pa) pa++; }
        unsigned cb = *pb++;
        if (lead(cb)) { cb = cb * 256 + *pb; if (*pb) pb++; }
        if (ca > cb) return 1;
        if (ca < cb) return -1;
    }
    if (*pa != 0) return 1;
    if (*pb != 0) return -1;
    return 0;
}

namespace {
bool teamBefore(const Team& b, const Team& a, int key) {  // must b come before a?
    auto desc = [&](i32 av, i32 bv) -> int { return av < bv ? 1 : (av == bv ? 0 : -1); };
    auto asc = [&](i32 av, i32 bv) -> int { return bv < av ? 1 : (av == bv ? 0 : -1); };
    auto text = [&](const TextField& av, const TextField& bv) -> int {
        const int c = compareText(bv.str(), av.str());
        return c == -1 ? 1 : (c == 0 ? 0 : -1);
    };
    int r;
    switch (key) {
        case 1: r = asc(a.rank, b.rank); break;
        case 2: r = desc(a.popularity, b.popularity); break;
        case 3: r = desc(a.points, b.points); break;
        case 4: r = desc(a.tournamentWins, b.tournamentWins); break;
        case 5: r = desc(a.wins, b.wins); break;
        case 6: r = asc(a.losses, b.losses); break;
        case 7: r = desc(a.draws, b.draws); break;
        case 8: r = desc(a.goalDiff, b.goalDiff); break;
        case 9: r = desc(a.played, b.played); break;
        case 10: r = desc(a.bonus, b.bonus); break;
        case 11: r = text(a.date, b.date); break;
        case 13: r = text(a.group, b.group); break;
        default: r = text(a.name, b.name); break;
    }
    if (r != 0) return r > 0;
    return a.goalDiff < b.goalDiff;
}

bool memberBefore(const Member& b, const Member& a, int key) {
    switch (key) {
        case 1: return b.rank < a.rank;
        case 3: return a.score < b.score;
        case 11: return compareText(b.date.str(), a.date.str()) == -1;
        case 12: return compareText(std::string(b.vote(0)), std::string(a.vote(0))) == -1;
        default: return compareText(b.name.str(), a.name.str()) == -1;
    }
}

template <typename T, typename Before>
void exchangeSort(std::vector<T>& v, Before before) {
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < v.size(); ++i)
            if (before(v[i + 1], v[i])) { std::swap(v[i], v[i + 1]); swapped = true; }
    }
}
}  // namespace

void sortTeams(Game& game, int key) {
    exchangeSort(game.teams(), [key](const Team& b, const Team& a) { return teamBefore(b, a, key); });
}

void sortMembers(Game& game, int key) {
    exchangeSort(game.members(), [key](const Member& b, const Member& a) { return memberBefore(b, a, key); });
}

}  // namespace scorvale::literal
