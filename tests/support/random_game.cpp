#include "tests/support/random_game.h"

#include <limits>
#include <vector>

namespace scorvale::testing {

std::int32_t RandomGames::anyInt() {
    switch (uniform(0, 3)) {
        case 0: return uniform(-3, 12);
        case 1: return uniform(-1000, 100000);
        case 2: return uniform(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        default: return uniform(0, 1) ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
    }
}

std::string RandomGames::text(int maxChars) {
    static const std::vector<std::string> pieces = {
        "A", "b", "Z", "0", "9", " ", "/", "\xB1",  // ｱ (half-width katakana)
        "\x93\xfa\x96\x7b",                         // 日本
        "\x83\x68\x83\x43\x83\x63",                 // ドイツ
        "\x82\xa0", "\x88\x9f", "\xfb\xfc", "\x81\x60", "\x87\x40"};
    static const std::vector<std::string> breaks = {"\r", "\n", "\r\n"};
    std::string out;
    const int n = uniform(0, maxChars);
    for (int i = 0; i < n; ++i) {
        if (lineBreaks && uniform(0, 5) == 0) out += breaks[static_cast<std::size_t>(uniform(0, 2))];
        else out += pieces[static_cast<std::size_t>(uniform(0, static_cast<int>(pieces.size()) - 1))];
    }
    return out;
}

std::string RandomGames::multiLine() {
    std::string out;
    const int lines = uniform(0, 4);
    for (int i = 0; i < lines; ++i) {
        if (i > 0) out += "\r\n";
        out += text(8);
    }
    return out;
}

Game RandomGames::game(int maxTeams, int maxMembers) {
    Game g;
    GameSettings& s = g.settings;
    s.maxBet = uniform(0, 4) == 0 ? (uniform(0, 1) ? 0 : 64) : uniform(1, 12);
    s.rate = uniform(0, 4);
    s.over = uniform(0, 1);
    auto setting = [&] { return uniform(0, 5) == 0 ? anyInt() : uniform(-2, 30); };
    s.winPoints = setting();
    s.drawPoints = setting();
    s.losePoints = setting();
    s.tournamentWinPoints = setting();
    s.bonus1 = setting();
    s.bonus2 = setting();
    s.bonus3 = setting();
    s.qualifyBonus = setting();

    // A small pool of names so that duplicates and misses both occur.
    std::vector<std::string> names;
    const int nameCount = uniform(1, 12);
    for (int i = 0; i < nameCount; ++i) names.push_back(text(3));
    auto pick = [&] { return names[static_cast<std::size_t>(uniform(0, nameCount - 1))]; };

    const int teams = uniform(0, maxTeams);
    for (int i = 0; i < teams; ++i) {
        Team t;
        t.name = pick();
        t.group = text(1);
        t.date = text(4);
        auto result = [&] { return uniform(0, 8) == 0 ? anyInt() : uniform(0, 5); };
        t.wins = result();
        t.draws = result();
        t.losses = result();
        t.tournamentWins = result();
        t.goalDiff = uniform(-3, 3);
        t.qualify = uniform(0, 1);
        t.out = uniform(0, 1);
        g.addTeam(t);
    }
    const int members = uniform(0, maxMembers);
    for (int i = 0; i < members; ++i) {
        Member m;
        m.name = text(3);
        m.date = text(4);
        const int votes = uniform(0, 3) == 0 ? uniform(0, Member::kMaxVotes) : uniform(0, 12);
        for (int v = 0; v < votes; ++v) m.appendVote(uniform(0, 6) == 0 ? text(2) : pick());
        g.addMember(m);
    }
    return g;
}

}  // namespace scorvale::testing
