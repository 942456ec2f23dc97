#include "tests/browser/sample_pools.h"

#include <algorithm>

#include "gamefile/game_file.h"
#include "imports/results_import.h"
#include "imports/results_replay.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "text/sjis_codec.h"

namespace scorvale::testing {

namespace {

std::string sj(const std::string& utf8) { return sjis::fromUtf8(utf8).value(); }

constexpr const char* kDayAfterTheFinal = "02/07/01";

void scoreAndOrder(Game& game) {
    computeStandings(game);
    sortTeams(game, TeamSortKey::rank);
    sortMembers(game, MemberSortKey::rank);
}

}  // namespace

Game exampleWithHistory(const std::string& gamePath, const std::string& matchListPath) {
    Game game;
    game.settings.name.clear();
    game.clearMembers();
    game.clearTeams();
    loadGame(game, gamePath, ReadAll);

    // The list's match days as the import records them, then the day after the
    // final, when the administrator fixed the ranking.
    const imports::MatchList list = imports::readMatchList(readWholeFile(matchListPath));
    const imports::MatchResults results = imports::computeResults(list);
    imports::TeamMatcher matcher(game);
    for (HistoryDay& day : imports::replayedDays(game, list, results, imports::defaultPlan(results, matcher), {},
                                                 kDayAfterTheFinal))
        game.history.setDay(std::move(day));
    game.history.setDay(currentResults(game, kDayAfterTheFinal));
    scoreAndOrder(game);
    return game;
}

Game uglyPool() {
    Game g;
    g.settings.name = sj("<script>alert('title')</script> & 「とても長いタイトル」の予想大会 2026 ワールドカップ");
    g.settings.date = "26/07/19";
    g.settings.rate = 3;
    g.settings.maxBet = 12;
    g.report.editor = sj("幹事 <b>\"太郎\"</b> & 'co'");
    g.report.head = sj("<CENTER><font color=red size=+2>決勝</font>まで<b>あと少し</b>！</CENTER>\r\n"
                       "<script>alert(1)</script><a href=\"javascript:alert(2)\">押さないで</a> "
                       "<a href=\"https://example.org/rules\">ルール</a> <img src=x onerror=alert(3)> 3 < 5 & 7 > 2");
    g.report.foot = sj("<p>ご参加ありがとうございました。<i>斜体が閉じていません");
    g.report.topImage = sj("top image #1.png");

    const std::string longAscii(127, 'W');
    std::string longJapanese;
    while (longJapanese.size() + 2 <= 127) longJapanese += sj("長");
    const std::vector<std::string> teamNames = {
        sj("ブラジル"), sj("<b>ドイツ</b>"), longAscii, longJapanese, sj("日本 & 韓国"), "\"Quote\" 'Team'",
        sj("ｱﾙｾﾞﾝﾁﾝ"), "France", sj("イングランド"), sj("スペイン"), sj("イタリア"), sj("オランダ")};
    for (int extra = 0; extra < 52; ++extra) {
        Team t;
        t.name = sj("チーム") + std::to_string(extra);
        g.addTeam(t);
    }
    for (std::size_t i = 0; i < teamNames.size(); ++i) {
        Team t;
        t.name = teamNames[i];
        t.group = i == 3 ? longJapanese : std::string(1, static_cast<char>('A' + i % 8));
        t.symbol = i % 3 == 0 ? "flag " + std::to_string(i) + ".png" : "";
        t.wins = static_cast<int>(7 - i % 7);
        t.draws = static_cast<int>(i % 3);
        t.losses = static_cast<int>(i % 4);
        t.goalDiff = static_cast<int>(i) - 5;
        t.tournamentWins = i < 4 ? 3 - static_cast<int>(i) : 0;
        t.qualify = i < 8 ? 1 : 0;
        t.out = i >= 2 && i % 2 == 0 ? 1 : 0;
        g.addTeam(t);
    }
    const std::vector<std::string> memberNames = {sj("<script>alert('member')</script>"), longAscii, longJapanese,
                                                  sj("&amp; \"二重\" '一重'"), sj("山田太郎"), sj("ｶﾀｶﾅ ﾊﾝｶｸ")};
    for (int i = 0; i < 40; ++i) {
        Member m;
        m.name = i < static_cast<int>(memberNames.size()) ? memberNames[static_cast<std::size_t>(i)]
                                                           : sj("参加者") + std::to_string(i);
        m.date = i == 5 ? "26/07/18" : "26/06/01";
        if (i == 1) {
            for (const Team& t : g.teams()) m.appendVote(t.name.view());  // all 64
        } else {
            for (int p = 0; p < 14; ++p)
                m.appendVote(teamNames[static_cast<std::size_t>((i * 7 + p * 5) % teamNames.size())]);
            if (i % 5 == 0) m.insertVote(1, sj("存在しないチーム <i>"));
        }
        g.addMember(m);
    }
    // Thirty days over which the results grow to today's.
    const Game today = g;
    for (int d = 1; d <= 30; ++d) {
        Game day = today;
        for (Team& t : day.teams()) {
            t.wins = t.wins * d / 30;
            t.draws = t.draws * d / 30;
            t.losses = t.losses * d / 30;
            t.tournamentWins = d > 25 ? t.tournamentWins : 0;
            t.qualify = d > 20 ? t.qualify : 0;
            t.out = d > 20 ? t.out : 0;
        }
        const std::string date = d <= 12 ? "26/06/" + std::to_string(18 + d) : "26/07/" + (d < 22 ? std::string("0") : std::string()) + std::to_string(d - 12);
        g.history.setDay(currentResults(day, date));
    }
    scoreAndOrder(g);
    return g;
}

ReportSettings dialogDefaults(const Game& game) {
    ReportSettings r = game.report;
    r.title = game.settings.name;
    r.date = game.settings.date;
    r.memberRange = 2;
    r.teamRange = 2;
    r.memberDetails = 0;
    r.teamDetails = 0;
    return r;
}

}  // namespace scorvale::testing
