#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>
#include <string>

#include "gamefile/file_lines.h"
#include "gamefile/game_file.h"
#include "tests/support/game_compare.h"
#include "tests/support/random_game.h"

namespace scorvale {
namespace {

using namespace std::string_literals;

TEST(Scramble, KnownLines) {
    struct Case {
        std::string plain, scrambled;
    } cases[] = {
        {"ABC", ">E>F>G"},
        {"ABC\n", ">E>F>G\n"},
        {"", ""},
        {"\n", "\n"},
        {"\xff", "pz"},
        {"\x81", "BE"},
        {"\x05\xe3", ":IoG"},
        {"\x93\xfa\x96\x7b\n", "CGpuCJAv\n"},
        {"a\nb", "@E\n@F"},
        {"\0"s, ":D"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scrambleLine(c.plain), c.scrambled) << c.plain;
        EXPECT_EQ(unscrambleLine(c.scrambled), c.plain) << c.scrambled;
    }
}

TEST(Scramble, EveryByteComesBackAndNoBracketAppears) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string scrambled = scrambleLine(all);
    EXPECT_EQ(scrambled.size(), 2 * 255 + 1);  // the line feed stays one character
    EXPECT_EQ(scrambled.find('['), std::string::npos);
    EXPECT_EQ(unscrambleLine(scrambled), all);
}

TEST(Scramble, DecoderTakesAnythingAndDropsAnUnpairedLastCharacter) {
    EXPECT_EQ(unscrambleLine(">E>F>GQ\n"), "ABC\n");
    EXPECT_EQ(unscrambleLine(">E>F>GQ"), "ABC");
    EXPECT_EQ(unscrambleLine("Q\n>E"), "\nA");
    // Plain text decodes to some bytes, without error: 'h'-10 = '^' gives digit 46, 'i'-20 = 'U' digit 37.
    EXPECT_EQ(unscrambleLine("hi"), std::string(1, static_cast<char>((46 * 16 + 37) & 0xFF)));
}

// A small game and its file, written out by hand from the format's tables.
Game fixtureGame() {
    Game g;
    GameSettings& s = g.settings;
    s.name = "Cup";
    s.winPoints = 3;
    s.losePoints = -1;
    s.drawPoints = 1;
    s.tournamentWinPoints = 6;
    s.maxBet = 2;
    s.rate = 1;
    s.bonus1 = 20;
    s.bonus2 = 10;
    s.bonus3 = 0;
    s.qualifyBonus = 30;
    s.over = 1;
    s.date = "02/06/30";
    s.password = 1234;
    g.report.editor = "Ed";
    g.report.head = "a\r\nb";
    g.report.backgroundImage = "b.gif";
    g.report.topImage = "t.gif";
    g.report.rightImage = "r.gif";
    Team t;
    t.name = "\x93\xfa\x96\x7b";  // 日本
    t.wins = 2;
    t.losses = 1;
    t.goalDiff = -3;
    t.date = "02/06/14";
    t.symbol = "jp.gif";
    t.group = "H";
    t.qualify = 1;
    g.addTeam(t);
    Member m;
    m.name = "Taro";
    m.date = "02/06/01";
    m.appendVote("\x93\xfa\x96\x7b");
    m.appendVote("BRA");
    g.addMember(m);
    return g;
}

const char kFixturePlain[] =
    "[G_NAME]Cup\n[G_WINNER]3\n[G_LOSER]-1\n[G_DRAW]1\n[G_TWINNER]6\n[G_MAXBET]2\n[G_RATE]1\n"
    "[G_1BONUS]20\n[G_2BONUS]10\n[G_3BONUS]0\n[G_QBONUS]30\n[G_OVER]1\n[G_DATE]02/06/30\n[G_PASS]1234\n"
    "[R_EDITOR]Ed\n[R_HEAD]a<CR>b\n[R_FOOT]\n[R_BIMG]b.gif\n[R_TIMG]t.gif\n[R_LIMG]\n[R_RIMG]r.gif\n[G_END]\n"
    "[T_NAME]\x93\xfa\x96\x7b\n[T_TWIN]0\n[T_WIN]2\n[T_LOSE]1\n[T_DRAW]0\n[T_PROFIT]-3\n[T_DATE]02/06/14\n"
    "[T_SYMBOL]jp.gif\n[T_GROUP]H\n[T_OUT]0\n[T_QUALIFY]1\n[T_END]\n"
    "[M_NAME]Taro\n[M_DATE]02/06/01\n[M_SYMBOL]\n[M_TEAM]\x93\xfa\x96\x7b\n[M_TEAM]BRA\n[M_END]\n[ALL_END]\n";

const char kFixtureScrambled[] =
        "?v>K?z>y>E>x>I?x>GAIAD\r\n"
        "?v>K?z?K>M>y>y>I?F?x=G\r\n"
        "?v>K?z>w>z?G>I?F?x<x=E\r\n"
        "?v>K?z>H?F>E?K?x=E\r\n"
        "?v>K?z?H?K>M>y>y>I?F?x=J\r\n"
        "?v>K?z>x>E?L>F>I?H?x=F\r\n"
        "?v>K?z?F>E?H>I?x=E\r\n"
        "?v>K?z=E>F>z>y?I?G?x=F=D\r\n"
        "?v>K?z=F>F>z>y?I?G?x=E=D\r\n"
        "?v>K?z=G>F>z>y?I?G?x=D\r\n"
        "?v>K?z?E>F>z>y?I?G?x=G=D\r\n"
        "?v>K?z>z?J>I?F?x=E\r\n"
        "?v>K?z>H>E?H>I?x=D=F<z=D=J<z=G=D\r\n"
        "?v>K?z?D>E?G?G?x=E=F=G=H\r\n"
        "?v?F?z>I>H>M?H>z?F?x>I@H\r\n"
        "?v?F?z>L>I>E>H?x@E=w>G?F=y@F\r\n"
        "?v?F?z>J>z>z?H?x\r\n"
        "?v?F?z>F>M>x>K?x@F<y@K@M@J\r\n"
        "?v?F?z?H>M>x>K?xAH<y@K@M@J\r\n"
        "?v?F?z>w>M>x>K?x\r\n"
        "?v?F?z?F>M>x>K?xAF<y@K@M@J\r\n"
        "?v>K?z>I>y>H?x\r\n"
        "?v?H?z>y>E>x>I?xCGpuCJAv\r\n"
        "?v?H?z?H?K>M>y?x=D\r\n"
        "?v?H?z?K>M>y?x=F\r\n"
        "?v?H?z>w>z?G>I?x=E\r\n"
        "?v?H?z>H?F>E?K?x=D\r\n"
        "?v?H?z?D?F>z>J>M?H?x<x=G\r\n"
        "?v?H?z>H>E?H>I?x=D=F<z=D=J<z=E=H\r\n"
        "?v?H?z?G?M>x>F>z>w?x@uAD<y@K@M@J\r\n"
        "?v?H?z>K?F>z?I?D?x>L\r\n"
        "?v?H?z>z?I?H?x=D\r\n"
        "?v?H?z?E?I>E>w>M>J?M?x=E\r\n"
        "?v?H?z>I>y>H?x\r\n"
        "?v>x?z>y>E>x>I?x?H@EAF@z\r\n"
        "?v>x?z>H>E?H>I?x=D=F<z=D=J<z=D=E\r\n"
        "?v>x?z?G?M>x>F>z>w?x\r\n"
        "?v>x?z?H>I>E>x?xCGpuCJAv\r\n"
        "?v>x?z?H>I>E>x?x>F?F>E\r\n"
        "?v>x?z>I>y>H?x\r\n"
        "?v>E>w>w?z>I>y>H?x\r\n";

TEST(Writer, FixtureGameGivesTheseBytes) {
    const Game game = fixtureGame();
    EXPECT_EQ(gameFileText(game), kFixturePlain);
    EXPECT_EQ(gameFileBytes(game), kFixtureScrambled);
    Game back;
    loadGameBytes(back, kFixtureScrambled, ReadAll);
    EXPECT_TRUE(testing::sameGame(back, game));
}

TEST(Writer, EmptyGameHas23Lines) {
    Game game;
    const std::string bytes = gameFileBytes(game);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 23);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 23);
    EXPECT_EQ(bytes.substr(bytes.size() - 20), scrambleLine("[ALL_END]") + "\r\n");
}

// Every stored field of random games, Japanese texts, multi-line report texts,
// up to 64 votes and extreme numbers, comes back in order.
// A line break inside a one-line value would cut the file: each CR and LF is
// written as a space, in every text field and every vote. A greeting keeps its
// breaks, a lone LF written as the "<CR>" of a CR LF; a lone CR stays.
TEST(Writer, LineBreaksNeverCutTheFile) {
    using namespace gamefile;
    const std::string broken = "a\rb\nc\r\nd\n";
    const std::string spaced = "a b c  d ";
    struct Field {
        std::string_view tag;
        std::function<void(Game&, const std::string&)> set;
    };
    std::vector<Field> fields;
    for (const SettingsLine& l : kSettingsLines)
        if (l.kind == LineKind::text) fields.push_back({l.tag, [&l](Game& g, const std::string& v) { settingsText(g, l) = v; }});
    for (const TeamLine& l : kTeamLines)
        if (l.text != nullptr) fields.push_back({l.tag, [&l](Game& g, const std::string& v) { g.teamAt(0).*l.text = v; }});
    for (const MemberLine& l : kMemberLines) {
        if (l.text != nullptr) fields.push_back({l.tag, [&l](Game& g, const std::string& v) { g.memberAt(0).*l.text = v; }});
        if (l.kind == LineKind::vote) fields.push_back({l.tag, [](Game& g, const std::string& v) { g.memberAt(0).appendVote(v); }});
    }
    EXPECT_EQ(fields.size(), 15u);
    Game base;
    base.addTeam(Team{});
    base.addMember(Member{});
    for (const Field& f : fields) {
        Game withBreaks = base, withSpaces = base;
        f.set(withBreaks, broken);
        f.set(withSpaces, spaced);
        EXPECT_EQ(gameFileBytes(withBreaks), gameFileBytes(withSpaces)) << f.tag;
        EXPECT_EQ(gameFileText(withBreaks), gameFileText(withSpaces)) << f.tag;
    }

    Game greeting = base, stored = base;
    greeting.report.head = "x\ny\rz\r\n\n";
    stored.report.head = "x\r\ny\rz\r\n\r\n";
    EXPECT_EQ(gameFileBytes(greeting), gameFileBytes(stored));
    Game back;
    loadGameBytes(back, gameFileBytes(greeting), ReadAll);
    EXPECT_EQ(back.report.head, stored.report.head);
}

// What a save gives back of a game that holds line breaks: one-line texts and
// votes with spaces for them, greetings with a lone LF made CR LF.
Game savedForm(Game g) {
    const auto oneLine = [](std::string text) {
        std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        return text;
    };
    const auto greeting = [](const std::string& text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) out += text[i] == '\n' && (i == 0 || text[i - 1] != '\r') ? "\r\n"s : text.substr(i, 1);
        return out;
    };
    for (std::string* t : {&g.settings.name, &g.settings.date, &g.report.editor, &g.report.backgroundImage,
                           &g.report.topImage, &g.report.leftImage, &g.report.rightImage})
        *t = oneLine(*t);
    g.report.head = greeting(g.report.head);
    g.report.foot = greeting(g.report.foot);
    for (Team& t : g.teams())
        for (TextField* f : {&t.name, &t.date, &t.symbol, &t.group}) *f = oneLine(f->str());
    for (Member& m : g.members()) {
        for (TextField* f : {&m.name, &m.date, &m.symbol}) *f = oneLine(f->str());
        Member votes;
        for (const std::string_view v : m.votes()) votes.appendVote(oneLine(std::string(v)));
        while (m.voteCount() > 0) m.removeVote(0);
        for (const std::string_view v : votes.votes()) m.appendVote(v);
    }
    return g;
}

TEST(RoundTrip, RandomGamesComeBackWhole) {
    testing::RandomGames random(3101);
    random.lineBreaks = true;
    for (int round = 0; round < 300; ++round) {
        Game game = random.game(12, 20);
        for (int i = 0; i < game.teamCount(); ++i) {
            Team& t = game.teamAt(i);
            t.name = random.text(3) + "#" + std::to_string(i);  // a file keeps only the first of a name
            t.symbol = random.text(6);
            t.out = random.anyInt();
            t.qualify = random.anyInt();
            t.goalDiff = random.anyInt();
        }
        for (int i = 0; i < game.memberCount(); ++i) {
            game.memberAt(i).name = random.text(3) + "#" + std::to_string(i);
            game.memberAt(i).symbol = random.text(5);
        }
        game.settings.name = random.text(40);
        game.settings.date = random.text(4);
        game.settings.password = random.anyInt();
        game.settings.maxBet = random.anyInt();
        game.report.editor = random.text(10);
        game.report.head = random.multiLine();
        game.report.foot = random.multiLine();
        game.report.backgroundImage = random.text(5);
        game.report.topImage = random.text(5);
        game.report.leftImage = random.text(5);
        game.report.rightImage = random.text(5);

        const Game expected = savedForm(game);
        Game back;
        loadGameBytes(back, gameFileBytes(game), ReadAll);
        ASSERT_TRUE(testing::sameGame(back, expected)) << "round " << round;
        // A plain line ends in CR LF or LF, so a greeting's last lone CR
        // cannot be told from the line end there.
        Game plainExpected = expected;
        for (std::string* t : {&plainExpected.report.head, &plainExpected.report.foot})
            if (!t->empty() && t->back() == '\r') t->pop_back();
        Game plain;
        loadGameBytes(plain, gameFileText(game), ReadAll);
        ASSERT_TRUE(testing::sameGame(plain, plainExpected)) << "round " << round;
    }
}

// No line limit: a long head full of line breaks and a long title come back.
TEST(RoundTrip, LongLinesComeBackWhole) {
    Game game;
    for (int i = 0; i < 1000; ++i) game.report.head += "\x82\xa0\r\n";  // 2000 bytes + breaks
    game.report.foot = std::string(5000, '\r') + "\r\n\r\n";
    game.settings.name = std::string(20000, 'T');
    game.report.topImage = std::string(5000, '\x81') + "x";
    Game back;
    loadGameBytes(back, gameFileBytes(game), ReadAll);
    EXPECT_TRUE(testing::sameGame(back, game));
}

}  // namespace
}  // namespace scorvale
