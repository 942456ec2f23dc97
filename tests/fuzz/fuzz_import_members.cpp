// Any bytes, under any options, plan or fail with the import's own errors
// (and the preview's guess of the columns reads whatever opens);
// applying the plan keeps the game's rules (no name twice, at most 64 votes,
// texts a game file can hold) and the game survives a save and a load.
//
// Input: two option bytes, then the file. Byte 0: name column 1-4 (bits
// 0-1), date column 0-3 (bits 2-3), no header (bit 4), encoding (bits 5-6:
// auto, UTF-8, CP932, auto), replace (bit 7). Byte 1: 0 for the default vote
// columns, else the first (low 4 bits + 1) and how many more (high 4 bits).
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "gamefile/game_file.h"
#include "imports/member_import.h"
#include "text/sjis_codec.h"

namespace {

using namespace scorvale;
using namespace scorvale::imports;

Game smallGame() {
    Game game;
    game.settings.name = "cup";
    for (const char* name : {"日本", "ブラジル", "ドイツ", "韓国"}) {
        Team team;
        team.name = *sjis::fromUtf8(name);
        game.addTeam(team);
    }
    for (const char* name : {"山田", "Suzuki"}) {
        Member member;
        member.name = *sjis::fromUtf8(name);
        member.date = "26/05/01";
        member.appendVote(game.teamAt(0).name.view());
        game.addMember(member);
    }
    return game;
}

MemberImportOptions optionsOf(std::uint8_t a, std::uint8_t b) {
    MemberImportOptions o;
    o.nameColumn = 1 + (a & 3u);
    o.dateColumn = (a >> 2) & 3u;
    o.header = (a & 0x10u) == 0;
    const text::Encoding encodings[] = {text::Encoding::automatic, text::Encoding::utf8, text::Encoding::cp932,
                                        text::Encoding::automatic};
    o.encoding = encodings[(a >> 5) & 3u];
    o.replace = (a & 0x80u) != 0;
    if (b != 0) {
        o.firstVoteColumn = 1 + (b & 15u);
        o.lastVoteColumn = o.firstVoteColumn + (b >> 4);
    }
    return o;
}

// Shift-JIS a game file line can carry: no control bytes, and it reads back
// as the same bytes.
bool storable(std::string_view sjis) {
    for (const char c : sjis)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    const auto again = sjis::fromUtf8(sjis::toUtf8(sjis));
    return again && *again == sjis;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    static const Game base = smallGame();
    const MemberImportOptions options = optionsOf(data[0], data[1]);
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

    // The preview's first guess reads any file it can open.
    try {
        static TeamMatcher matcher(base);
        const MemberImportOptions suggested = suggestMemberOptions(readMembersFile(bytes, options.encoding), matcher);
        if (suggested.nameColumn == 0 || suggested.nameColumn == suggested.dateColumn) __builtin_trap();
    } catch (const MembersFileError&) {
    }

    MemberImportPlan plan;
    try {
        plan = prepareMemberImport(bytes, options, base, "26/06/10");
    } catch (const MembersFileError&) {
        return 0;
    } catch (const MemberOptionsError&) {
        return 0;
    }
    if (plan.toAdd + plan.toReplace + plan.toSkip != plan.rows.size()) __builtin_trap();
    std::size_t problems = 0;
    std::size_t lastLine = 0;
    for (const PlannedRow& row : plan.rows) {
        if (row.line <= lastLine) __builtin_trap();
        lastLine = row.line;
        for (const MemberProblem& p : row.problems) {
            if (p.line != row.line || p.column == 0 || describe(p).empty()) __builtin_trap();
            if (p.skipsRow() != (row.action == PlannedRow::Action::skip)) __builtin_trap();
        }
        problems += row.problems.size();
    }
    if (problems != plan.problemCount) __builtin_trap();

    Game game = base;
    const MemberImportResult result = applyMemberImport(game, plan, "26/06/10");
    if (result.added != plan.toAdd || result.replaced != plan.toReplace) __builtin_trap();
    if (game.memberCount() != base.memberCount() + static_cast<int>(plan.toAdd)) __builtin_trap();
    std::set<std::string> names;
    for (const Member& m : game.members()) {
        if (!names.insert(m.name.str()).second || m.name.empty() || !storable(m.name.view())) __builtin_trap();
        if (m.voteCount() > Member::kMaxVotes || m.date.size() != 8) __builtin_trap();
        std::set<std::string_view> votes;
        for (const std::string_view vote : m.votes())
            if (vote.empty() || !storable(vote) || !votes.insert(vote).second) __builtin_trap();
    }

    // What the import made, the file keeps.
    Game loaded;
    loaded.clearMembers();
    loadGameBytes(loaded, gameFileBytes(game), ReadAll);
    if (loaded.members() != game.members()) __builtin_trap();
    return 0;
}
