#pragma once

// The match-results import from the bytes of a list to a changed game, in two
// steps, so the window can show the preview between them and svltool and the
// fuzzer go through the same code:
//
//   TeamMatcher matcher(game, aliases);
//   PreparedImport prepared = prepareImport(bytes, matcher, options);
//   ... let the user change prepared.plan ...
//   ImportSummary summary = applyImport(game, prepared.results, prepared.plan, today);
//
// The caller then runs the scoring and the orderings, as after any edit.
#include <string>
#include <string_view>
#include <vector>

#include "imports/import_error.h"
#include "imports/match_list.h"
#include "imports/match_results.h"
#include "imports/team_matcher.h"
#include "model/game.h"

namespace scorvale::imports {

// Where each team of the list goes: one entry for each of results.teams, in
// that order. The plan does not depend on the knockout-goals option, so a
// preview may recompute the results with the other option and keep it.
struct ImportPlan {
    static constexpr int kAdd = -1;

    std::vector<int> targets;           // a team's index in the game, or kAdd
    std::vector<std::string> newNames;  // UTF-8: the name it gets when it is added
    std::vector<MatchKind> matchedBy;   // how the default target was found; none for kAdd

    friend bool operator==(const ImportPlan&, const ImportPlan&) = default;
};

struct PreparedImport {
    MatchList list;
    MatchResults results;
    ImportPlan plan;
};

// Reads the list (readMatchList); takes a name that only knockout matches not
// played yet name, and that `matcher` does not know, for a team not known yet
// (list.slotNames, each one a problem in list.problems); computes the results and
// maps each team of the list through `matcher`: to the team it finds, else to
// a new team named by matcher.newTeamName. Changes no game; throws
// ImportError.
PreparedImport prepareImport(std::string_view bytes, TeamMatcher& matcher, ResultOptions options = {});

// The default plan on its own, for results computed elsewhere.
ImportPlan defaultPlan(const MatchResults& results, TeamMatcher& matcher);

// Throws ImportError naming the list team when `plan` cannot be applied to
// `game`: two list teams go to one team of the game; a name or group that
// Shift-JIS cannot hold, that holds a control character (a line break would
// break the game file), that is longer than a team field keeps (127 bytes)
// or, for a new team, empty; a new team named like a team already in the game
// or like another new team. A plan whose size or indices do not fit is a
// caller's mistake: std::invalid_argument.
void checkPlan(const Game& game, const MatchResults& results, const ImportPlan& plan);

// What the report lines need; names UTF-8.
struct AddedTeam {
    std::string listName;  // as the list writes it
    std::string gameName;  // the name the new team got
};
struct ImportSummary {
    std::vector<AddedTeam> added;        // in the order added, at the end of the collection
    std::vector<std::string> notInList;  // teams of the game the list does not name, in game order
};

// Checks the whole plan first (checkPlan), so a failure leaves the game as it
// was. Then, for each team of the list, replaces the team's wins, draws,
// losses, goal difference, tournament wins, qualify, out, date and (when the
// list gives one) group, or adds a new team with them at the end; other
// teams and the members stay as they are. A team the list dates nothing for
// gets `todayText`, and so does GameSettings.date. Texts are Shift-JIS
// (`todayText` is "%y/%m/%d").
ImportSummary applyImport(Game& game, const MatchResults& results, const ImportPlan& plan, std::string_view todayText);

// Sets the seven numbers an import replaces (wins to out) from `result`;
// the rest of the team stays.
void setResultNumbers(Team& team, const TeamResult& result);

}  // namespace scorvale::imports
