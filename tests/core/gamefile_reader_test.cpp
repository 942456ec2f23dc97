#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "gamefile/file_lines.h"
#include "gamefile/game_file.h"
#include "tests/support/game_compare.h"

namespace scorvale {
namespace {

using namespace std::string_literals;

std::string votes(int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += "[M_TEAM]v" + std::to_string(i) + "\n";
    return out;
}

// A file holds a game when a line, as the reader decodes it, holds the game
// name tag before the end line; the loads refuse other non-empty files.
TEST(Reader, HoldsGame) {
    Game titled;
    titled.settings.name = "Cup";
    Team t;
    t.name = "A";
    titled.addTeam(t);
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xFF);
    const auto scrambled = [](std::initializer_list<std::string_view> lines) {
        std::string out;
        for (const std::string_view line : lines) out += scrambleLine(line) + "\r\n";
        return out;
    };
    const struct {
        const char* what;
        std::string bytes;
        bool game;
    } cases[] = {
        {"empty", "", false},
        {"text", "meeting notes\r\n[agenda] 1. results\r\n", false},
        {"binary", binary, false},
        {"scrambled text", scrambled({"meeting notes", "nothing of a game"}), false},
        {"scrambled teams without a game name", scrambled({"[T_NAME]A", "[T_END]", "[ALL_END]"}), false},
        {"the name after the end line", scrambled({"[ALL_END]"}) + "[G_NAME]Cup\r\n", false},
        {"saved game", gameFileBytes(titled), true},
        {"saved game without title", gameFileBytes(Game{}), true},
        {"plain game", gameFileText(titled), true},
        {"plain name after scrambled lines", scrambled({"junk"}) + "[G_NAME]\r\n", true},
        {"name inside a scrambled line", scrambled({"x[G_NAME]y"}), true},
    };
    for (const auto& c : cases) EXPECT_EQ(holdsGame(c.bytes), c.game) << c.what;
}

// Bad and odd inputs, read with every flag into a start-up game.
TEST(Reader, OddInputs) {
    const std::string dbl200 = [] {
        std::string s;
        for (int i = 0; i < 100; ++i) s += "\x93\xfa";
        return s;
    }();
    const std::string bigLine(10'000'000, 'x');
    struct Case {
        const char* what;
        std::string bytes;
        std::function<void(const Game&)> check;
    } cases[] = {
        {"empty file", "", [](const Game& g) { EXPECT_TRUE(testing::sameGame(g, Game{})); }},
        {"only garbage", "\x01\xffzz garbage \x7f\n\n\x80\x81", [](const Game& g) { EXPECT_TRUE(testing::sameGame(g, Game{})); }},
        {"plain line before the first name line",
         "[T_NAME]A\n[T_END]\n[G_NAME]Cup\n[G_RATE]2\n",
         [](const Game& g) {
             EXPECT_EQ(g.teamCount(), 0);
             EXPECT_EQ(g.settings.name, "Cup");
             EXPECT_EQ(g.settings.rate, 2);
         }},
        {"number rule", "[G_NAME]n\n[G_MAXBET]abc\n[G_RATE] 12x\n[G_OVER]\t-7 8\n[G_PASS]+5\n[G_DRAW]--3\n",
         [](const Game& g) {
             EXPECT_EQ(g.settings.maxBet, 0);
             EXPECT_EQ(g.settings.rate, 12);
             EXPECT_EQ(g.settings.over, -7);
             EXPECT_EQ(g.settings.password, 5);
             EXPECT_EQ(g.settings.drawPoints, 0);
         }},
        {"numbers beyond 32 bits saturate",
         "[G_NAME]n\n[G_MAXBET]99999999999\n[G_RATE]-99999999999\n[G_OVER]2147483648\n[G_PASS]-2147483648\n",
         [](const Game& g) {
             EXPECT_EQ(g.settings.maxBet, INT_MAX);
             EXPECT_EQ(g.settings.rate, INT_MIN);
             EXPECT_EQ(g.settings.over, INT_MAX);
             EXPECT_EQ(g.settings.password, INT_MIN);
         }},
        {"blanks around values stay", "[G_NAME]  Cup \n[T_NAME] A \n[T_GROUP] g\t\n[T_END]\n",
         [](const Game& g) {
             EXPECT_EQ(g.settings.name, "  Cup ");
             ASSERT_EQ(g.teamCount(), 1);
             EXPECT_EQ(g.teamAt(0).name, " A ");
             EXPECT_EQ(g.teamAt(0).group, " g\t");
         }},
        {"tags inside values, each test on what the earlier left",
         "[G_NAME]x[G_DATE]y\n[G_DATE]d[G_NAME]e[G_NAME]\n[G_DATE]",
         [](const Game& g) {
             EXPECT_EQ(g.settings.name, "[G_DATE]de");
             EXPECT_EQ(g.settings.date, "");
         }},
        {"a tag made by removing another", "[G_NAME]n\n[G_[G_RATE]OVER]5\n[T_NAME]A\n[T_[T_WIN]END]\n[T_NAME]B\n[T_END]",
         [](const Game& g) {
             EXPECT_EQ(g.settings.over, 5);
             EXPECT_EQ(g.settings.rate, 0);  // "[G_OVER]5" has no digits first
             ASSERT_EQ(g.teamCount(), 2);
             EXPECT_EQ(g.teamAt(1).name, "B");
         }},
        {"a name holding another tag stays whole",
         "[G_NAME]n\n[T_NAME]A[T_WIN][T_END]\n[T_WIN]5\n[T_END]\n[M_NAME]B[M_END]\n[M_TEAM]A\n[M_END]\n",
         [](const Game& g) {
             ASSERT_EQ(g.teamCount(), 1);
             EXPECT_EQ(g.teamAt(0).name, "A[T_WIN][T_END]");
             EXPECT_EQ(g.teamAt(0).wins, 5);
             ASSERT_EQ(g.memberCount(), 1);
             EXPECT_EQ(g.memberAt(0).name, "B[M_END]");
             EXPECT_EQ(g.memberAt(0).voteCount(), 1);
         }},
        {"two sections of one name: the first wins",
         "[G_NAME]n\n[T_NAME]A\n[T_WIN]1\n[T_END]\n[T_NAME]A\n[T_WIN]2\n[T_END]\n"
         "[M_NAME]M\n[M_TEAM]x\n[M_END]\n[M_NAME]M\n[M_TEAM]y\n[M_END]\n",
         [](const Game& g) {
             ASSERT_EQ(g.teamCount(), 1);
             EXPECT_EQ(g.teamAt(0).wins, 1);
             ASSERT_EQ(g.memberCount(), 1);
             EXPECT_EQ(g.memberAt(0).vote(0), "x");
         }},
        {"fields a section lacks stay empty",
         "[G_NAME]n\n[T_NAME]A\n[T_GROUP]g\n[T_WIN]3\n[T_END]\n[T_NAME]B\n[T_END]\n"
         "[M_NAME]M\n[M_TEAM]x\n[M_TEAM]y\n[M_END]\n[M_NAME]N\n[M_TEAM]z\n[M_END]\n",
         [](const Game& g) {
             ASSERT_EQ(g.teamCount(), 2);
             EXPECT_EQ(g.teamAt(1).group, "");
             EXPECT_EQ(g.teamAt(1).wins, 0);
             ASSERT_EQ(g.memberCount(), 2);
             EXPECT_EQ(g.memberAt(1).voteCount(), 1);
             EXPECT_EQ(g.memberAt(1).vote(1), "");
         }},
        {"no end line: everything counts, settings after the sections too",
         "[G_NAME]n\n[T_NAME]A\n[T_END]\n[G_RATE]3\n[M_NAME]M\n[M_END]\n[G_OVER]1\n",
         [](const Game& g) {
             EXPECT_EQ(g.teamCount(), 1);
             EXPECT_EQ(g.memberCount(), 1);
             EXPECT_EQ(g.settings.rate, 3);
             EXPECT_EQ(g.settings.over, 1);
         }},
        {"text after the end line is ignored", "[G_NAME]n\n[ALL_END]\n[G_RATE]3\n[T_NAME]A\n[T_END]\n",
         [](const Game& g) {
             EXPECT_EQ(g.settings.rate, 1);
             EXPECT_EQ(g.teamCount(), 0);
         }},
        {"unfinished team section is added", "[G_NAME]n\n[T_NAME]A\n[T_WIN]2\n[ALL_END]\n[T_LOSE]4",
         [](const Game& g) {
             ASSERT_EQ(g.teamCount(), 1);
             EXPECT_EQ(g.teamAt(0).wins, 2);
             EXPECT_EQ(g.teamAt(0).losses, 4);
         }},
        {"unfinished member section is added", "[G_NAME]n\n[M_NAME]M\n[M_TEAM]x\n[M_DATE]d",
         [](const Game& g) {
             ASSERT_EQ(g.memberCount(), 1);
             EXPECT_EQ(g.memberAt(0).vote(0), "x");
             EXPECT_EQ(g.memberAt(0).date, "d");
         }},
        {"more than 64 votes: the first 64 count", "[G_NAME]n\n[M_NAME]M\n" + votes(70) + "[M_TEAM]v0\n[M_END]\n",
         [](const Game& g) {
             ASSERT_EQ(g.memberCount(), 1);
             EXPECT_EQ(g.memberAt(0).voteCount(), 64);
             EXPECT_EQ(g.memberAt(0).vote(63), "v63");
         }},
        {"a 200-byte name is cut at a character boundary", "[G_NAME]" + dbl200 + "\n[T_NAME]" + dbl200 + "\n[T_END]\n",
         [&](const Game& g) {
             EXPECT_EQ(g.settings.name, dbl200);  // settings texts have no limit
             ASSERT_EQ(g.teamCount(), 1);
             EXPECT_EQ(g.teamAt(0).name, dbl200.substr(0, 126));
         }},
        {"NUL bytes", "[G_NAME]a\0b\n[T_NAME]c\0d\n[T_END]\n[G_RATE]2\0\n[G_OVER]\0\x31\n\0[G_DATE]d\n"s,
         [](const Game& g) {
             EXPECT_EQ(g.settings.name, "a\0b"s);
             ASSERT_EQ(g.teamCount(), 1);
             EXPECT_EQ(g.teamAt(0).name, "c");  // a record's text ends at NUL
             EXPECT_EQ(g.settings.rate, 2);
             EXPECT_EQ(g.settings.over, 0);  // NUL is no blank
             EXPECT_EQ(g.settings.date, "\0d"s);
         }},
        {"CR-only line ends make one line", "[G_NAME]abc\r[G_MAXBET]7\r[T_NAME]A\r[T_END]\r",
         [](const Game& g) {
             EXPECT_EQ(g.settings.name, "abc\r[G_MAXBET]7\r[T_NAME]A\r[T_END]\r");
             EXPECT_EQ(g.settings.maxBet, 0);
             // The team tag is still in the line, so a team section starts and runs to the end.
             ASSERT_EQ(g.teamCount(), 1);
             EXPECT_EQ(g.teamAt(0).name, "abc\r7\rA\r[T_END]\r");
         }},
        {"CR LF and bare LF alike", "[G_NAME]Cup\r\n[G_RATE]2\n[G_OVER]1\r\r\n",
         [](const Game& g) {
             EXPECT_EQ(g.settings.name, "Cup");
             EXPECT_EQ(g.settings.rate, 2);
             EXPECT_EQ(g.settings.over, 1);
         }},
        {"a 10 MB line", "[G_NAME]" + bigLine + "\n[M_NAME]M\n[M_TEAM]" + bigLine + "\n[M_END]\n" + bigLine,
         [&](const Game& g) {
             EXPECT_EQ(g.settings.name.size(), bigLine.size());
             ASSERT_EQ(g.memberCount(), 1);
             EXPECT_EQ(g.memberAt(0).vote(0).size(), 127u);
         }},
        {"a 10 MB scrambled line", bigLine + "\n" + scrambleLine("[G_RATE]2") + "\r\n",
         [](const Game& g) { EXPECT_EQ(g.settings.rate, 2); }},
        {"odd scrambled line: the last character is dropped", scrambleLine("[G_NAME]Cup") + "Q\r\n",
         [](const Game& g) { EXPECT_EQ(g.settings.name, "Cup"); }},
        {"head and foot: <CR> becomes CR LF", "[G_NAME]n\n[R_HEAD]a<CR>b<CR>\n[R_FOOT]<CR<CR>>\n",
         [](const Game& g) {
             EXPECT_EQ(g.report.head, "a\r\nb\r\n");
             EXPECT_EQ(g.report.foot, "<CR\r\n>");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Game game;
        loadGameBytes(game, c.bytes, ReadAll);
        c.check(game);
    }
}

// A game that differs from the file in every part, loaded under each flag set.
TEST(Reader, EachFlagAloneAndCombined) {
    const std::string file =
        "[G_NAME]File\n[G_RATE]3\n[R_EDITOR]ed\n[T_NAME]B\n[T_WIN]1\n[T_END]\n"
        "[M_NAME]N\n[M_TEAM]B\n[M_END]\n[ALL_END]\n";
    for (unsigned flags = 0; flags < 8; ++flags) {
        const unsigned bits = (flags & 1 ? 0x001u : 0u) | (flags & 2 ? 0x010u : 0u) | (flags & 4 ? 0x100u : 0u);
        SCOPED_TRACE(bits);
        Game game;
        Team a;
        a.name = "A";
        game.addTeam(a);
        const Game before = game;
        loadGameBytes(game, scrambleLine(file), bits);
        EXPECT_EQ(game.settings.name, bits & ReadSettings ? "File" : before.settings.name);
        EXPECT_EQ(game.settings.rate, bits & ReadSettings ? 3 : 1);
        EXPECT_EQ(game.report.editor, bits & ReadSettings ? "ed" : "");
        ASSERT_EQ(game.teamCount(), bits & ReadTeams ? 2 : 1);
        EXPECT_EQ(game.teamAt(0), a);
        if (bits & ReadTeams) {
            EXPECT_EQ(game.teamAt(1).name, "B");
        }
        ASSERT_EQ(game.memberCount(), bits & ReadMembers ? 1 : 0);
        if (bits & ReadMembers) {
            EXPECT_EQ(game.memberAt(0).vote(0), "B");
        }
    }
}

TEST(Reader, MergeKeepsExistingRecordsUntouched) {
    Game game;
    for (const char* name : {"A", "C", "A"}) {  // a duplicate the game already had stays
        Team t;
        t.name = name;
        t.wins = 9;
        t.group = "old";
        game.addTeam(t);
    }
    Member m;
    m.name = "M";
    m.date = "old";
    m.appendVote("C");
    game.addMember(m);
    const Game before = game;

    Game other;
    for (const char* name : {"B", "A", "C", "D"}) {
        Team t;
        t.name = name;
        t.wins = 1;
        other.addTeam(t);
    }
    for (const char* name : {"M", "N"}) {
        Member x;
        x.name = name;
        x.appendVote("B");
        x.appendVote("D");
        other.addMember(x);
    }
    loadGameBytes(game, gameFileBytes(other), ReadTeams | ReadMembers);

    ASSERT_EQ(game.teamCount(), 5);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(game.teamAt(i), before.teamAt(i));
    EXPECT_EQ(game.teamAt(3), other.teamAt(0));
    EXPECT_EQ(game.teamAt(4), other.teamAt(3));
    ASSERT_EQ(game.memberCount(), 2);
    EXPECT_EQ(game.memberAt(0), before.memberAt(0));
    EXPECT_EQ(game.memberAt(1), other.memberAt(1));
    EXPECT_EQ(game.settings, before.settings);
}

}  // namespace
}  // namespace scorvale

namespace scorvale {
namespace {

// Each value line of a team or member section in the table is read, by the
// usual path (the tag at the line's start) and by the general one (text
// before the tag, which then stays in the value).
TEST(Reader, ReadsEveryRecordLineOfTheTable) {
    using namespace gamefile;
    const std::string head = std::string(kGameNameTag) + "g\n";
    for (const std::string prefix : {"", "x"}) {
        for (const TeamLine& l : kTeamLines) {
            if (l.kind == LineKind::name || l.kind == LineKind::end) continue;
            const std::string file = head + std::string(teamLine(TeamTag::name).tag) + "t\n" + prefix +
                                     std::string(l.tag) + "42\n" + std::string(teamLine(TeamTag::end).tag) + "\n";
            Game g;
            loadGameBytes(g, file, ReadAll);
            ASSERT_EQ(g.teamCount(), 1) << l.tag;
            if (l.number != nullptr) EXPECT_EQ(g.teamAt(0).*l.number, prefix.empty() ? 42 : 0) << l.tag;
            else EXPECT_EQ((g.teamAt(0).*l.text).str(), prefix + "42") << l.tag;
        }
        for (const MemberLine& l : kMemberLines) {
            if (l.kind == LineKind::name || l.kind == LineKind::end) continue;
            const std::string file = head + std::string(memberLine(MemberTag::name).tag) + "m\n" + prefix +
                                     std::string(l.tag) + "v\n" + std::string(memberLine(MemberTag::end).tag) + "\n";
            Game g;
            loadGameBytes(g, file, ReadAll);
            ASSERT_EQ(g.memberCount(), 1) << l.tag;
            const std::string read = l.kind == LineKind::vote ? std::string(g.memberAt(0).vote(0)) : (g.memberAt(0).*l.text).str();
            EXPECT_EQ(read, prefix + "v") << prefix << l.tag;
        }
    }
}

// A file of two tiny member sections and a large rest reserves room for
// about as many members as it has read, not for what the rest might hold.
TEST(Reader, MemberReserveFollowsTheSectionsRead) {
    std::string file = "[G_NAME]g\n[M_NAME]a\n[M_END]\n[M_NAME]b\n[M_END]\n";
    file += std::string(20'000'000, 'z') + "\n";
    Game g;
    loadGameBytes(g, file, ReadAll);
    EXPECT_EQ(g.memberCount(), 2);
    EXPECT_LE(g.members().capacity(), 1024u);
}

}  // namespace
}  // namespace scorvale
