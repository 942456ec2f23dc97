#pragma once

// A match list with dates tells how the teams stood on each day it covers:
// the import records those days in the game's results history, as if the
// list had been imported at the end of each of them.
#include <string_view>
#include <vector>

#include "imports/results_import.h"
#include "model/results_history.h"

namespace scorvale::imports {

// The list as it stood at the end of `isoDay` (YYYY-MM-DD): every match dated
// later, or not dated, is not played yet, and in the knockout rounds a team is
// not known yet where it still had a match to play before that one (a place
// written as fixtures write it before the round is decided). Matches keep
// their order and rounds, so the rules find the same first knockout round.
MatchList listAsOf(const MatchList& list, std::string_view isoDay);

// One entry for each day before `todayText` on which the list has a played
// match, oldest first: the results `plan` gives `game` (the game before the
// import) from listAsOf that day, dated "%y/%m/%d". The administrator fixes
// the ranking, not the list, so no such day has it fixed. Days the "%y"
// form cannot place (outside 2000 to 2099) are left out. Throws what
// applyImport throws for a plan that does not fit.
std::vector<HistoryDay> replayedDays(const Game& game, const MatchList& list, const MatchResults& results,
                                     const ImportPlan& plan, ResultOptions options, std::string_view todayText);

// applyImport, recorded: the replayed days go into the game's history, and
// `todayText` gets the results as they then stand when the import changed
// any. A failure leaves the game as it was.
ImportSummary applyImportWithHistory(Game& game, const MatchList& list, const MatchResults& results,
                                     const ImportPlan& plan, ResultOptions options, std::string_view todayText);

}  // namespace scorvale::imports
