#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/game.h"

namespace scorvale::gamefile {

// The lines of a game file as data, in the order the writer writes them. The
// writer, the reader and the tests take every tag from here. Each line is a
// tag followed directly by its value.

enum class LineKind {
    number,     // "%d"
    text,       // as stored, on one line
    multiLine,  // a CR LF of the text written "<CR>"
    vote,       // one line per vote, in order
    name,       // the first line of a team or member section
    end,        // no value
};

struct SettingsLine {
    std::string_view tag;
    LineKind kind;
    std::int32_t GameSettings::*number = nullptr;
    std::string GameSettings::*text = nullptr;
    std::string ReportSettings::*reportText = nullptr;
};

// The settings section, ended by kSettingsEnd. The reader tests a line against
// these tags in this same order.
inline constexpr std::array<SettingsLine, 21> kSettingsLines = {{
    {"[G_NAME]", LineKind::text, nullptr, &GameSettings::name},
    {"[G_WINNER]", LineKind::number, &GameSettings::winPoints},
    {"[G_LOSER]", LineKind::number, &GameSettings::losePoints},
    {"[G_DRAW]", LineKind::number, &GameSettings::drawPoints},
    {"[G_TWINNER]", LineKind::number, &GameSettings::tournamentWinPoints},
    {"[G_MAXBET]", LineKind::number, &GameSettings::maxBet},
    {"[G_RATE]", LineKind::number, &GameSettings::rate},
    {"[G_1BONUS]", LineKind::number, &GameSettings::bonus1},
    {"[G_2BONUS]", LineKind::number, &GameSettings::bonus2},
    {"[G_3BONUS]", LineKind::number, &GameSettings::bonus3},
    {"[G_QBONUS]", LineKind::number, &GameSettings::qualifyBonus},
    {"[G_OVER]", LineKind::number, &GameSettings::over},
    {"[G_DATE]", LineKind::text, nullptr, &GameSettings::date},
    {"[G_PASS]", LineKind::number, &GameSettings::password},
    {"[R_EDITOR]", LineKind::text, nullptr, nullptr, &ReportSettings::editor},
    {"[R_HEAD]", LineKind::multiLine, nullptr, nullptr, &ReportSettings::head},
    {"[R_FOOT]", LineKind::multiLine, nullptr, nullptr, &ReportSettings::foot},
    {"[R_BIMG]", LineKind::text, nullptr, nullptr, &ReportSettings::backgroundImage},
    {"[R_TIMG]", LineKind::text, nullptr, nullptr, &ReportSettings::topImage},
    {"[R_LIMG]", LineKind::text, nullptr, nullptr, &ReportSettings::leftImage},
    {"[R_RIMG]", LineKind::text, nullptr, nullptr, &ReportSettings::rightImage},
}};
inline constexpr std::string_view kSettingsEnd = "[G_END]";  // not a tag for the reader
// A raw line holding this switches the reader from scrambled to plain text.
inline constexpr std::string_view kGameNameTag = kSettingsLines[0].tag;

// A settings line's text field in `game` (const or not).
template <typename G>
auto& settingsText(G& game, const SettingsLine& line) {
    return line.text != nullptr ? game.settings.*line.text : game.report.*line.reportText;
}

template <typename Record>
struct RecordLine {
    std::string_view tag;
    LineKind kind;
    std::int32_t Record::*number = nullptr;
    TextField Record::*text = nullptr;
};
using TeamLine = RecordLine<Team>;
using MemberLine = RecordLine<Member>;

enum class TeamTag { name, tournamentWins, wins, losses, draws, goalDiff, date, symbol, group, out, qualify, end };

inline constexpr std::array<TeamLine, 12> kTeamLines = {{
    {"[T_NAME]", LineKind::name, nullptr, &Team::name},
    {"[T_TWIN]", LineKind::number, &Team::tournamentWins},
    {"[T_WIN]", LineKind::number, &Team::wins},
    {"[T_LOSE]", LineKind::number, &Team::losses},
    {"[T_DRAW]", LineKind::number, &Team::draws},
    {"[T_PROFIT]", LineKind::number, &Team::goalDiff},
    {"[T_DATE]", LineKind::text, nullptr, &Team::date},
    {"[T_SYMBOL]", LineKind::text, nullptr, &Team::symbol},
    {"[T_GROUP]", LineKind::text, nullptr, &Team::group},
    {"[T_OUT]", LineKind::number, &Team::out},
    {"[T_QUALIFY]", LineKind::number, &Team::qualify},
    {"[T_END]", LineKind::end},
}};
constexpr const TeamLine& teamLine(TeamTag tag) { return kTeamLines[static_cast<std::size_t>(tag)]; }

// The order in which the reader tests a team line: each test works on the
// line as the tests before it left it, so the order decides odd lines.
inline constexpr std::array<TeamTag, 10> kTeamReadOrder = {
    TeamTag::wins, TeamTag::losses, TeamTag::draws,  TeamTag::tournamentWins, TeamTag::goalDiff,
    TeamTag::date, TeamTag::symbol, TeamTag::group, TeamTag::out,            TeamTag::qualify,
};

enum class MemberTag { name, date, symbol, vote, end };

inline constexpr std::array<MemberLine, 5> kMemberLines = {{
    {"[M_NAME]", LineKind::name, nullptr, &Member::name},
    {"[M_DATE]", LineKind::text, nullptr, &Member::date},
    {"[M_SYMBOL]", LineKind::text, nullptr, &Member::symbol},
    {"[M_TEAM]", LineKind::vote},
    {"[M_END]", LineKind::end},
}};
constexpr const MemberLine& memberLine(MemberTag tag) { return kMemberLines[static_cast<std::size_t>(tag)]; }

inline constexpr std::array<MemberTag, 3> kMemberReadOrder = {MemberTag::vote, MemberTag::date, MemberTag::symbol};

// The last line of the file; the reader stops at a line holding it.
inline constexpr std::string_view kFileEnd = "[ALL_END]";

// What the game keeps beyond the format, in lines after kFileEnd that the
// format's reader never sees: the page HTML出力 writes, then the results
// history, one block of lines a day, oldest first:
//
//   [H_DAY]02/06/14      the day's date
//   [H_FIXED]0           whether the ranking was fixed that day
//   [H_TEAM]2,0,1,0,3,1,0,日本   one line a team: kRecordedNumbers, then the name
//   [H_END]32            the number of team lines, so a lost one is noticed
//
// A pass of its own reads them, strictly: a tag only at the start of a line,
// numbers only as "%d" writes them, any line it does not know skipped. A team
// name is the rest of its line, so it may hold any text, tags too.
enum class ExtraTag { page, picture, day, fixed, team, dayEnd };

inline constexpr std::array<std::string_view, 6> kExtraLines = {
    "[P_PAGE]", "[P_PICTURE]", "[H_DAY]", "[H_FIXED]", "[H_TEAM]", "[H_END]",
};
constexpr std::string_view extraTag(ExtraTag tag) { return kExtraLines[static_cast<std::size_t>(tag)]; }

// The numbers of a "[H_TEAM]" line, in order, each followed by a comma.
inline constexpr std::array<std::int32_t RecordedResults::*, 7> kRecordedNumbers = {
    &RecordedResults::wins,     &RecordedResults::draws,   &RecordedResults::losses, &RecordedResults::tournamentWins,
    &RecordedResults::goalDiff, &RecordedResults::qualify, &RecordedResults::out,
};

// The first tag of the file that `text` holds, or an empty view. The reader
// finds a tag anywhere in a line and values are written unescaped, so a text
// holding "[T_NAME]" or "[ALL_END]" would not come back from a save as it
// went: what the user types or imports must not hold one.
constexpr std::string_view tagIn(std::string_view text) {
    if (text.find('[') == std::string_view::npos) return {};
    for (const auto& line : kSettingsLines)
        if (text.find(line.tag) != std::string_view::npos) return line.tag;
    for (const auto& line : kTeamLines)
        if (text.find(line.tag) != std::string_view::npos) return line.tag;
    for (const auto& line : kMemberLines)
        if (text.find(line.tag) != std::string_view::npos) return line.tag;
    for (const std::string_view tag : {kSettingsEnd, kFileEnd})
        if (text.find(tag) != std::string_view::npos) return tag;
    return {};
}

// The reader finds tags fast by their shape: each starts with "[X_" for its
// section letter X, or "[A" (the file's end), and none is shorter than seven.
constexpr bool tagShaped(std::string_view tag) {
    return tag.size() >= 7 && tag.front() == '[' && tag.back() == ']' && (tag[2] == '_' || tag[1] == 'A');
}
constexpr bool allTagsShaped() {
    for (const auto& l : kSettingsLines)
        if (!tagShaped(l.tag) || (l.tag[1] != 'G' && l.tag[1] != 'R')) return false;
    for (const auto& l : kTeamLines)
        if (!tagShaped(l.tag) || l.tag[1] != 'T') return false;
    for (const auto& l : kMemberLines)
        if (!tagShaped(l.tag) || l.tag[1] != 'M') return false;
    return tagShaped(kSettingsEnd) && tagShaped(kFileEnd);
}
static_assert(allTagsShaped());

}  // namespace scorvale::gamefile
