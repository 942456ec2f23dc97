// Writes a small Japanese pool as a report page, for the browser check and
// the screenshot: make_sample_page OUT.html
#include <cstdio>
#include <string>

#include "gamefile/file_error.h"
#include "report/html_report.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "text/sjis_codec.h"

namespace {

using namespace scorvale;

std::string sj(const char* utf8) { return sjis::fromUtf8(utf8).value(); }

Game samplePool() {
    Game g;
    g.settings.name = sj("日韓ワールドカップ予想 2002");
    g.settings.maxBet = 3;
    struct Row {
        const char* name;
        const char* group;
        int wins, draws, losses, tournamentWins, qualify, out;
    };
    const Row teams[] = {{"日本", "H", 2, 1, 0, 1, 1, 1},
                         {"韓国", "D", 2, 1, 0, 2, 1, 0},
                         {"ドイツ", "E", 2, 1, 0, 3, 1, 0},
                         {"サウジアラビア", "E", 0, 0, 3, 0, 0, 1}};
    for (const Row& r : teams) {
        Team t;
        t.name = sj(r.name);
        t.group = r.group;
        t.date = "02/06/30";
        t.wins = r.wins;
        t.draws = r.draws;
        t.losses = r.losses;
        t.tournamentWins = r.tournamentWins;
        t.qualify = r.qualify;
        t.out = r.out;
        g.addTeam(t);
    }
    struct Voter {
        const char* name;
        const char* votes[3];
    };
    const Voter members[] = {{"山田太郎", {"ドイツ", "韓国", "日本"}},
                             {"鈴木花子", {"日本", "韓国", "ドイツ"}},
                             {"佐藤次郎", {"ドイツ", "韓国", "日本"}},
                             {"髙橋一郎", {"サウジアラビア", "ブラジル", "日本"}}};
    for (const Voter& v : members) {
        Member m;
        m.name = sj(v.name);
        m.date = "02/06/01";
        for (const char* team : v.votes) m.appendVote(sj(team));
        g.addMember(m);
    }
    computeStandings(g);
    sortTeams(g, TeamSortKey::rank);
    sortMembers(g, MemberSortKey::rank);
    return g;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_page OUT.html\n");
        return 2;
    }
    const Game game = samplePool();
    ReportSettings r;
    r.title = game.settings.name;
    r.date = "02/06/30";
    r.editor = sj("発表：幹事");
    r.head = sj("決勝トーナメントが終わりました。\r\n最終結果です。");
    r.foot = sj("ご参加ありがとうございました。");
    r.memberDetails = 1;
    try {
        writeHtmlReport(game, argv[1], r);
    } catch (const FileError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
