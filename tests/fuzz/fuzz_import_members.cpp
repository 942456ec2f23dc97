// Any bytes, under any options, plan or fail with the import's own errors;
// the columns guessed from any file are options that do not contradict
// themselves; mapping every spelling no team matches leaves no pick
// unmatched; applying the plan keeps the game's rules (no name twice, at
// most 64 votes, texts a game file can hold) and the game survives a save
// and a load.
//
// Input: three option bytes, then the file. Byte 0: name column 1-4 (bits
// 0-1), date column 0-3 (bits 2-3), no header (bit 4), encoding (bits 5-6:
// auto, UTF-8, CP932, UTF-16), replace (bit 7). Byte 1: 0 for the default
// vote columns, else the first (low 4 bits + 1) and how many more (high 4
// bits). Byte 2: separator (bits 0-1: auto, comma, semicolon, tab), the
// columns guessed instead of bytes 0 and 1 (bit 2), every spelling no team
// matches mapped to a team (bit 3).
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "gamefile/game_file.h"
#include "imports/member_columns.h"
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

MemberImportOptions optionsOf(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    MemberImportOptions o;
    o.nameColumn = 1 + (a & 3u);
    o.dateColumn = (a >> 2) & 3u;
    o.header = (a & 0x10u) == 0;
    const text::Encoding encodings[] = {text::Encoding::automatic, text::Encoding::utf8, text::Encoding::cp932,
                                        text::Encoding::utf16};
    o.encoding = encodings[(a >> 5) & 3u];
    o.replace = (a & 0x80u) != 0;
    if (b != 0) {
        o.firstVoteColumn = 1 + (b & 15u);
        o.lastVoteColumn = o.firstVoteColumn + (b >> 4);
    }
    const text::Separator separators[] = {text::Separator::automatic, text::Separator::comma,
                                          text::Separator::semicolon, text::Separator::tab};
    o.separator = separators[c & 3u];
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

// The file as read: every note names a cell that is there.
void checkFile(const MembersFile& file) {
    if (file.columnCount() > kMaxMembersColumns) __builtin_trap();
    std::size_t lastLine = 0;
    for (std::size_t row = 0; row < file.table.rowCount(); ++row) {
        if (file.table.line(row) <= lastLine || file.table.width(row) == 0) __builtin_trap();
        if (file.table.cell(row, file.table.width(row)).empty()) __builtin_trap();
        lastLine = file.table.line(row);
    }
    for (const CellNote& note : file.notes)
        if (note.row >= file.table.rowCount() || note.column == 0 || note.column > file.table.width(note.row) ||
            note.line != file.table.line(note.row))
            __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    static const Game base = smallGame();
    MemberImportOptions options = optionsOf(data[0], data[1], data[2]);
    const bool guess = (data[2] & 4u) != 0;
    const bool mapAll = (data[2] & 8u) != 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 3, size - 3);

    MembersFile file;
    try {
        file = readMembersFile(bytes, options.format());
    } catch (const text::InputError&) {
        return 0;
    }
    checkFile(file);
    TeamMatcher matcher(base);
    if (guess) {
        const ColumnGuess g = guessMemberColumns(file, matcher);
        if (g.kinds.size() != file.columnCount()) __builtin_trap();
        options = chooseMemberColumns(g, {}, options);
        // What is guessed never contradicts itself.
        try {
            checkMemberOptions(options);
        } catch (const MemberOptionsError&) {
            __builtin_trap();
        }
    }

    MemberImportPlan plan;
    try {
        plan = planMemberImport(file, options, base, matcher, "26/06/10");
        if (mapAll) {
            for (const PickSpelling& s : plan.spellings) options.names.push_back({s.written, "ドイツ"});
            plan = planMemberImport(file, options, base, matcher, "26/06/10");
            for (const PlannedRow& row : plan.rows)
                for (const MemberProblem& p : row.problems)
                    if (p.kind == MemberProblem::Kind::unmatchedVote) __builtin_trap();
        }
    } catch (const text::InputError&) {
        return 0;
    } catch (const MemberOptionsError&) {
        if (guess) __builtin_trap();
        return 0;
    }
    if (plan.toAdd + plan.toReplace + plan.toSkip != plan.rows.size()) __builtin_trap();
    std::size_t problems = 0;
    std::size_t lastLine = 0;
    for (const PlannedRow& row : plan.rows) {
        if (row.line <= lastLine || row.line != file.table.line(row.fileRow)) __builtin_trap();
        lastLine = row.line;
        for (const MemberProblem& p : row.problems) {
            if (p.line != row.line || p.column == 0 || describe(p).empty()) __builtin_trap();
            if (p.skipsRow() != (row.action == PlannedRow::Action::skip)) __builtin_trap();
        }
        for (const PlannedVote& v : row.votes)
            if (v.team >= static_cast<int>(plan.teamNames.size()) || plan.voteText(v).empty()) __builtin_trap();
        problems += row.problems.size();
    }
    if (problems != plan.problemCount) __builtin_trap();
    std::set<std::string> keys;
    for (const PickSpelling& s : plan.spellings)
        if (s.count == 0 || s.key.empty() || !keys.insert(s.key).second) __builtin_trap();

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
