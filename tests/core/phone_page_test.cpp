#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gamefile/safe_file.h"
#include "report/html_report.h"
#include "report/phone_page.h"
#include "report/standings_picture.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "tests/core/report_test_texts.h"

namespace scorvale {
namespace {

using testing::reportFixturePath;
using testing::sj;

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

struct ResultRow {
    const char* name;
    const char* group;
    int wins, draws, losses, tournamentWins, goalDiff, qualify, out;
};

void setResults(Game& g, std::initializer_list<ResultRow> rows) {
    for (const ResultRow& r : rows) {
        const int at = g.findTeamByName(sj(r.name));
        Team& t = at >= 0 ? g.teamAt(at) : g.teamAt(g.addTeam(Team{}));
        t.name = sj(r.name);
        t.group = r.group;
        t.wins = r.wins;
        t.draws = r.draws;
        t.losses = r.losses;
        t.tournamentWins = r.tournamentWins;
        t.goalDiff = r.goalDiff;
        t.qualify = r.qualify;
        t.out = r.out;
    }
    computeStandings(g);
}

// A small pool over three recorded days: a member who joined after the
// second, a pick of a team the game does not have, a team that is out, one
// pick beyond the counted ones.
Game smallPool() {
    Game g;
    g.settings.name = sj("日韓ワールドカップ予想");
    g.settings.maxBet = 3;
    setResults(g, {{"日本", "H", 0, 0, 0, 0, 0, 0, 0},
                   {"韓国", "D", 0, 0, 0, 0, 0, 0, 0},
                   {"ドイツ", "E", 0, 0, 0, 0, 0, 0, 0},
                   {"サウジアラビア", "E", 0, 0, 0, 0, 0, 0, 0}});
    struct Voter {
        const char* name;
        const char* date;
        std::initializer_list<const char*> votes;
    };
    for (const Voter& v : {Voter{"山田太郎", "02/05/20", {"ドイツ", "韓国", "日本"}},
                           Voter{"鈴木花子", "02/05/21", {"日本", "韓国", "ドイツ", "サウジアラビア"}},
                           Voter{"<script>佐藤</script>", "02/05/22", {"サウジアラビア", "ブラジル", "日本"}},
                           Voter{"髙橋一郎", "02/06/12", {"韓国", "日本"}}}) {
        Member m;
        m.name = sj(v.name);
        m.date = v.date;
        for (const char* team : v.votes) m.appendVote(sj(team));
        g.addMember(m);
    }
    setResults(g, {{"日本", "H", 1, 0, 0, 0, 1, 0, 0}, {"サウジアラビア", "E", 1, 0, 0, 0, 2, 0, 0}});
    g.history.setDay(currentResults(g, "02/06/04"));
    setResults(g, {{"日本", "H", 2, 0, 0, 0, 2, 0, 0}, {"韓国", "D", 0, 1, 0, 0, 0, 0, 0}});
    g.history.setDay(currentResults(g, "02/06/10"));
    setResults(g, {{"日本", "H", 2, 1, 0, 0, 3, 1, 0},
                   {"韓国", "D", 2, 1, 0, 1, 3, 1, 0},
                   {"ドイツ", "E", 2, 1, 0, 1, 10, 1, 0},
                   {"サウジアラビア", "E", 1, 0, 2, 0, -10, 0, 1}});
    g.history.setDay(currentResults(g, "02/06/18"));
    sortTeams(g, TeamSortKey::rank);
    sortMembers(g, MemberSortKey::rank);
    return g;
}

ReportSettings smallSettings(const Game& g) {
    ReportSettings r;
    r.title = g.settings.name;
    r.date = "02/06/18";
    r.editor = sj("幹事");
    r.head = sj("<CENTER>決勝トーナメント<b>開幕</b>！</CENTER>\r\n<script>alert(1)</script>");
    r.foot = sj("また来年");
    return r;
}

// The whole page and the picture, byte for byte. SCORVALE_UPDATE_GOLDEN
// rewrites them for a deliberate change; the diff is reviewed like code.
TEST(PhonePage, MatchesGoldenPageAndPicture) {
    const Game game = smallPool();
    const ReportSettings settings = smallSettings(game);
    const struct {
        const char* file;
        std::string bytes;
    } cases[] = {{"phone_small.html", phonePageBytes(game, settings)},
                 {"phone_small.svg", standingsPictureSvg(game, settings)}};
    for (const auto& c : cases) {
        if (std::getenv("SCORVALE_UPDATE_GOLDEN") != nullptr) writeFileAtomically(reportFixturePath(c.file), c.bytes);
        EXPECT_EQ(c.bytes, readWholeFile(reportFixturePath(c.file))) << c.file;
    }
}

TEST(PhonePage, TellsStandingMovementAndPicks) {
    const Game game = smallPool();
    const std::string page = phonePageBytes(game, smallSettings(game));
    // On the 10th: 鈴木 1, 佐藤 and 髙橋 2, 山田 4; today 山田, 鈴木, 髙橋, 佐藤.
    // 髙橋 joined after the 10th.
    EXPECT_NE(page.find("<span class=\"rk\">1位</span><span class=\"mv up\">▲3</span><span class=\"nm\">山田太郎</span>"
                        "<span class=\"sc\">252点</span><span class=\"gp\">トップ</span>"),
              std::string::npos);
    EXPECT_NE(page.find("<span class=\"mv dn\">▼1</span><span class=\"nm\">鈴木花子</span><span class=\"sc\">240点</span>"
                        "<span class=\"gp\">トップまで 12点</span>"),
              std::string::npos);
    EXPECT_NE(page.find("<span class=\"mv nw\">新</span><span class=\"nm\">髙橋一郎</span>"), std::string::npos);
    EXPECT_NE(page.find("<span class=\"mv dn\">▼2</span><span class=\"nm\">&lt;script&gt;佐藤&lt;/script&gt;</span>"),
              std::string::npos);
    EXPECT_NE(page.find("▲▼は 6/10 の順位からの変動"), std::string::npos);
    // The leading team starred, the out team struck through, the missing one
    // marked, the pick beyond the counted ones without points.
    EXPECT_NE(page.find("<li class=\"w\">★ドイツ<i>3</i></li>"), std::string::npos);
    EXPECT_NE(page.find("<li class=\"x\"><s>サウジアラビア</s><i>3</i></li><li class=\"q\">ブラジル<i>?</i></li>"
                        "<li>日本<i>1</i></li>"),
              std::string::npos);
    EXPECT_NE(page.find("<li class=\"x nc\"><s>サウジアラビア</s></li>"), std::string::npos);
    // The detail as the member information dialog lists it.
    EXPECT_NE(page.find("<tr><td>ドイツ</td><td>3pt</td><td>129</td></tr>\n<tr><td>韓国</td><td>2pt</td><td>86</td></tr>\n"
                        "<tr><td>日本</td><td>1pt</td><td>37</td></tr>\n<tr><td>合計</td><td></td><td>252</td></tr>"),
              std::string::npos);
    EXPECT_NE(page.find("<tr><td>サウジアラビア</td><td></td><td></td></tr>"), std::string::npos);
    EXPECT_NE(page.find("<tr><td>ブラジル</td><td>?</td><td></td></tr>"), std::string::npos);
    EXPECT_NE(page.find("<p class=\"tr\">順位の推移：4→4→1</p>"), std::string::npos);
    EXPECT_NE(page.find("<p class=\"tr\">順位の推移：3</p>"), std::string::npos);  // 髙橋: today only
}

// Whatever a text of the game holds, it shows as text: the page's one
// script is its own, and nothing is fetched but the images the user named.
TEST(PhonePage, EveryTextOfTheGameIsEscaped) {
    Game game = smallPool();
    const std::string evil = "<script>x</script>\"'&";
    game.teamAt(0).name = evil;
    game.teamAt(1).group = evil;
    game.memberAt(0).name = evil;
    game.memberAt(1).appendVote(evil);
    game.memberAt(2).date = evil;
    ReportSettings settings = smallSettings(game);
    settings.title = settings.date = settings.editor = evil;
    const std::string page = phonePageBytes(game, settings);
    EXPECT_EQ(count(page, "<script"), 1u);
    EXPECT_EQ(count(page, "</script>"), 1u);
    EXPECT_GE(count(page, "&lt;script&gt;x&lt;/script&gt;&quot;&#39;&amp;"), 6u);
    for (const char* request : {"src=", "url(", "<link", "@import", "http://", "https://"})
        EXPECT_EQ(page.find(request), std::string::npos) << request;

    settings.topImage = "top.png";
    settings.backgroundImage = "bg (1).png";
    game.teamAt(2).symbol = "de.gif";
    const std::string withImages = phonePageBytes(game, settings);
    EXPECT_NE(withImages.find("<img class=\"top\" src=\"top.png\" alt=\"\">"), std::string::npos);
    EXPECT_NE(withImages.find("background-image:url(bg%20%281%29.png)"), std::string::npos);
    EXPECT_NE(withImages.find("src=\"de.gif\""), std::string::npos);
}

// The part of `page` from `from` to the next `to`.
std::string between(const std::string& page, const std::string& from, const std::string& to) {
    const std::size_t start = page.find(from);
    return start == std::string::npos ? std::string() : page.substr(start, page.find(to, start) - start);
}

// The dialog's ranges cut the lists, which follow rank order whatever order
// the window's lists were left in.
TEST(PhonePage, RangesCutTheRankOrder) {
    Game game = smallPool();
    for (int i = 0; i < 8; ++i) {
        Team t;
        t.name = "T" + std::to_string(i);
        game.addTeam(t);
        Member m;
        m.name = "extra" + std::to_string(i);
        game.addMember(m);
    }
    computeStandings(game);
    sortMembers(game, MemberSortKey::name);
    sortTeams(game, TeamSortKey::name);
    ReportSettings settings = smallSettings(game);
    const struct {
        int range;
        std::size_t shown;
    } cases[] = {{0, 5}, {1, 10}, {2, 12}};
    for (const auto& c : cases) {
        settings.memberRange = settings.teamRange = c.range;
        const std::string page = phonePageBytes(game, settings);
        EXPECT_EQ(count(page, "class=\"m\""), c.shown) << c.range;
        const std::string teams = between(page, "<tbody>", "</tbody>");
        EXPECT_EQ(count(teams, "</tr>"), c.shown) << c.range;
        EXPECT_LT(page.find("山田太郎"), page.find("鈴木花子"));
        EXPECT_LT(teams.find("ドイツ"), teams.find("韓国"));
    }
}

// The rules in words follow what the scoring applies: the exponent it
// really uses, the counted picks, and an example it computes the same way.
TEST(PhonePage, RulesInWordsFollowTheScoring) {
    const struct {
        int rate, maxBet;
        std::vector<std::string> said, unsaid;
    } cases[] = {
        {1, 3, {"（13＋30）×3 ＝ 129点", "3番目は 1点。4番目からの予想は数えません。"}, {"乗"}},
        {2, 3, {"を2乗した数", "｛（13＋30）×3｝の2乗 ＝ 16641点"}, {"3乗"}},
        {3, 3, {"を3乗した数", "｛（13＋30）×3｝の3乗 ＝ 2146689点"}, {"2乗"}},
        {4, 3, {"（13＋30）×3 ＝ 129点"}, {"乗"}},  // a stray rate scores as normal
        {1, 1, {"1番目に予想したチームは 1点。2番目からの予想は数えません。"}, {"2番目は"}},
        {1, 64, {"2番目は 63点 … 64番目は 1点。"}, {"65番目"}},
        {1, 0, {"この大会では予想は得点になりません。"}, {"例："}},
    };
    for (const auto& c : cases) {
        Game game = smallPool();
        game.settings.rate = c.rate;
        game.settings.maxBet = c.maxBet;
        const std::string page = phonePageBytes(game, smallSettings(game));
        const std::string rules = between(page, "<div class=\"rules\">", "</div>");
        for (const std::string& text : c.said) EXPECT_NE(rules.find(text), std::string::npos) << c.rate << " " << text;
        for (const std::string& text : c.unsaid) EXPECT_EQ(rules.find(text), std::string::npos) << c.rate << " " << text;
    }
}

TEST(PhonePage, TheGamesChoiceDecidesWhichPageIsWritten) {
    Game game = smallPool();
    const ReportSettings settings = smallSettings(game);
    EXPECT_EQ(pageBytes(game, settings), htmlReportBytes(game, settings));
    game.page.kind = PageChoice::Kind::phone;
    EXPECT_EQ(pageBytes(game, settings), phonePageBytes(game, settings));
}

TEST(PhonePage, EmptyGameStillMakesAPage) {
    Game game;
    const std::string page = phonePageBytes(game, ReportSettings{});
    EXPECT_NE(page.find("<ol class=\"ms\">\n</ol>"), std::string::npos);
    EXPECT_NE(page.find("まだ予想がありません"), std::string::npos);
    EXPECT_EQ(page.find("<svg"), std::string::npos);
    EXPECT_NE(standingsPictureSvg(game, ReportSettings{}).find("参加者はまだいません"), std::string::npos);
}

}  // namespace
}  // namespace scorvale
