#include "bench/bench_games.h"

#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace scorvale::bench {

Game makePool(int teams, int members, int votes) {
    std::mt19937 rng(2002);
    Game g;
    g.settings.over = 1;
    for (int i = 0; i < teams; ++i) {
        Team t;
        t.name = "\x83\x60\x81\x5b\x83\x80" + std::to_string(i);  // チーム + number
        t.group = std::string(1, static_cast<char>('A' + i % 8));
        t.date = "02/06/30";
        t.wins = static_cast<int>(rng() % 4);
        t.draws = static_cast<int>(rng() % 3);
        t.losses = static_cast<int>(rng() % 3);
        t.tournamentWins = static_cast<int>(rng() % 5);
        t.goalDiff = static_cast<int>(rng() % 11) - 5;
        t.qualify = i % 2;
        g.addTeam(t);
    }
    g.members().reserve(static_cast<std::size_t>(members));
    for (int i = 0; i < members; ++i) {
        Member m;
        m.name = "\x8e\x51\x89\xc1\x8e\xd2" + std::to_string(i);  // 参加者 + number
        m.date = "02/06/01";
        while (m.voteCount() < votes && m.voteCount() < teams)
            m.addVote(g.teamAt(static_cast<int>(rng() % static_cast<unsigned>(teams))).name.view());
        g.addMember(std::move(m));
    }
    return g;
}

long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

}  // namespace scorvale::bench
