#pragma once

#include <string>

#include "model/game.h"

namespace scorvale {

// The members' ranking table and, when asked, one detail table per ranked
// member with the members who voted the same.
void writeMemberSection(std::string& page, const Game& game, const ReportSettings& settings);

// The teams' ranking table.
void writeTeamSection(std::string& page, const Game& game, const ReportSettings& settings);

}  // namespace scorvale
