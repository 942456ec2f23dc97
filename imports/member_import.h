#pragma once

// The members import, from the bytes of a form's or a spreadsheet's CSV
// export to a changed game, in two steps, so that the window can preview
// between them and svltool and the fuzzer go through the same code:
//
//   MemberImportPlan plan = prepareMemberImport(bytes, options, game, today);
//   ... show plan.rows and their problems ...
//   applyMemberImport(game, plan, today);
//
// A preview that changes the options plans again from the file read once
// (readMembersFile, then planMemberImport); guessMemberColumns and
// chooseMemberColumns (member_columns.h) give the options to start with.
// The caller runs the scoring and the orderings after applying, as after
// any edit.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "imports/member_problem.h"
#include "imports/members_file.h"
#include "imports/names_file.h"
#include "imports/team_matcher.h"
#include "model/game.h"

namespace scorvale::imports {

// Which columns hold what; columns count from 1, as a spreadsheet's do.
struct MemberImportOptions {
    std::size_t nameColumn = 1;  // 0: none found; the plan refuses it
    // The votes, first pick first; 0 and 0: every column after the name
    // column but the date column.
    std::size_t firstVoteColumn = 0;
    std::size_t lastVoteColumn = 0;
    std::size_t dateColumn = 0;  // 0: none, every member is dated today
    bool header = true;          // the first record names the columns
    text::Encoding encoding = text::Encoding::automatic;
    text::Separator separator = text::Separator::automatic;
    bool replace = false;        // a member already present gets the row's votes and date
    // Picks that match no team by themselves, mapped to a team of the game
    // (a names file's lines, or the preview's choices).
    std::vector<NameAlias> names;

    MembersFileFormat format() const { return {encoding, separator}; }

    friend bool operator==(const MemberImportOptions&, const MemberImportOptions&) = default;
};

// Options that contradict themselves whatever the file.
class MemberOptionsError : public std::invalid_argument {
public:
    enum class Kind {
        dateIsName,      // the date column is the name column
        badVoteRange,    // the vote columns are not N-M with 1 <= N <= M
        votesHoldName,   // the vote columns hold the name column
        votesHoldDate,   // the vote columns hold the date column
    };

    explicit MemberOptionsError(Kind kind);
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// Throws MemberOptionsError.
void checkMemberOptions(const MemberImportOptions& options);

// One pick as the preview shows it (MemberImportPlan::voteText). Small: a
// plan holds one for every pick of the file.
struct PlannedVote {
    std::uint32_t column = 0;
    int team = -1;     // the matched team's index, or -1
    std::string text;  // UTF-8, for a pick no team matches: as written (trimmed, cut as it is stored)
};

// One record of the file (blank records are left out) and what becomes of it.
struct PlannedRow {
    enum class Action { add, replace, skip };

    std::size_t fileRow = 0;     // its index in the file's table (where each pick is as written)
    std::size_t line = 0;
    Action action = Action::add;
    int member = -1;             // replace: the member's index in the game
    std::string name;            // UTF-8, trimmed
    std::string date;            // "%y/%m/%d"
    std::vector<PlannedVote> votes;  // the votes kept, in order
    std::vector<MemberProblem> problems;  // in column order
    Member record;               // Shift-JIS: the member added, or its votes and date for the replaced one
};

// A spelling of picks that matches no team by itself: the preview maps it,
// svltool names it with the team it may mean.
struct PickSpelling {
    std::string written;    // UTF-8, trimmed, as first written
    std::string key;        // teamKey: the spellings one entry stands for
    std::size_t count = 0;  // cells written so
    int team = -1;          // the team `names` maps it to, or -1: kept as written
};

struct MemberImportPlan {
    std::vector<PlannedRow> rows;
    std::size_t toAdd = 0;
    std::size_t toReplace = 0;
    std::size_t toSkip = 0;
    std::size_t problemCount = 0;
    std::size_t voteColumns = 0;  // the most votes a row keeps
    std::vector<PickSpelling> spellings;  // in the order first met
    std::vector<std::string> teamNames;   // UTF-8, the game's teams as the plan found them

    bool importsAnything() const { return toAdd + toReplace > 0; }
    // The matched team's name as the game has it, else the pick as written.
    std::string_view voteText(const PlannedVote& vote) const {
        return vote.team >= 0 ? std::string_view(teamNames[static_cast<std::size_t>(vote.team)]) : vote.text;
    }
};

// Plans the import of `file`'s records into `game` (which it does not change):
// names trimmed and stored as written, picks matched through `matcher` (built
// on this game; its aliases become options.names) and stored under the game's
// name for the team, dates read from the date column (formDate) or
// `todayText`. Throws MemberOptionsError, and InputError for no name column,
// a column beyond the file's columns and a file with no record after the
// header. A plan that imports nothing is no error: see importsAnything.
MemberImportPlan planMemberImport(const MembersFile& file, const MemberImportOptions& options, const Game& game,
                                  TeamMatcher& matcher, std::string_view todayText);

// readMembersFile and planMemberImport with a matcher of its own, the
// columns as `options` give them.
MemberImportPlan prepareMemberImport(std::string_view bytes, const MemberImportOptions& options, const Game& game,
                                     std::string_view todayText);

struct MemberImportResult {
    std::size_t added = 0;
    std::size_t replaced = 0;

    bool changed() const { return added + replaced > 0; }
};

// Appends the rows to add at the end of the member collection, in file order,
// and gives each member to replace the row's votes and date (its name, image
// and place stay); then, when anything changed, sets GameSettings.date to
// `todayText`. A plan made for another game is a caller's mistake:
// std::invalid_argument, and the game is left as it was.
MemberImportResult applyMemberImport(Game& game, const MemberImportPlan& plan, std::string_view todayText);

}  // namespace scorvale::imports
