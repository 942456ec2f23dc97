#include "imports/import_error.h"

namespace scorvale::imports {

namespace {

std::string describe(ImportError::Place place, int number, const std::string& name) {
    switch (place) {
        case ImportError::Place::Match:
            return "match " + std::to_string(number);
        case ImportError::Place::Line:
            return "line " + std::to_string(number);
        case ImportError::Place::Team:
            return "team " + quoteText(name);
        case ImportError::Place::File:
            break;
    }
    return {};
}

std::string englishReason(ImportError::Kind kind, ImportError::Place place, const std::vector<std::string>& args,
                          const std::optional<text::InputProblem>& input) {
    using Kind = ImportError::Kind;
    const bool csv = place == ImportError::Place::Line;
    // Every kind's args as its comment says; a missing one reads empty.
    const auto a = [&args](std::size_t i) { return i < args.size() ? args[i] : std::string(); };
    const auto q = [&a](std::size_t i) { return quoteText(a(i)); };
    switch (kind) {
        case Kind::notAMatchList:
            return "neither a JSON match list nor a CSV whose first line names the columns team1, team2, score1, "
                   "score2";
        case Kind::emptyFile: return "the file is empty";
        case Kind::jsonInvalid: return "not valid JSON (" + a(0) + ")";
        case Kind::jsonNotAnObject: return "the JSON text is not an object with \"matches\"";
        case Kind::jsonNoMatches: return "the JSON text has no list \"matches\"";
        case Kind::columnTwice: return "the column " + a(0) + " appears twice";
        case Kind::columnMissing: return "the column " + a(0) + " is missing";
        case Kind::csvInvalid: return "not valid CSV: " + (input ? text::reasonOf(*input) : std::string());
        case Kind::matchNotAnObject: return "is not an object";
        case Kind::scoreNotAnObject: return "score is not an object";
        case Kind::fieldMissing: return a(0) + " is missing";
        case Kind::fieldNotText: return a(0) + " is not a text";
        case Kind::fieldEmpty: return a(0) + " is empty";
        case Kind::badDate: return "date " + q(0) + (csv ? " is not YYYY-MM-DD or YYYY/MM/DD" : " is not YYYY-MM-DD");
        case Kind::otherScoreEmpty: return a(0) + " is empty while the other score is given";
        case Kind::goalsNegative:
            return csv ? a(0) + " " + q(1) + " is negative" : "score " + a(0) + " has a negative number of goals";
        case Kind::goalsNotNumber:
            return csv ? a(0) + " " + q(1) + " is not a number" : "score " + a(0) + " is not two whole numbers";
        case Kind::goalsTooMany:
            return csv ? a(0) + " " + q(1) + " is more than " + a(2) + " goals"
                       : "score " + a(0) + " has more than " + a(2) + " goals";
        case Kind::winnerUnknown: return "winner " + q(0) + " is neither 1, 2, " + q(1) + " nor " + q(2);
        case Kind::winnerLost: return "winner " + q(0) + " lost " + a(1);
        case Kind::playsItself: return q(0) + " plays itself";
        case Kind::slotWithScore: return q(0) + " stands for a team not known yet, but the match has a score";
        case Kind::extraTimeLower:
            return "the score after extra time (" + a(0) + ") is lower than at full time (" + a(1) + ")";
        case Kind::shootOutLevel: return "the penalty shoot-out ends level";
        case Kind::shootOutAfterDecisive:
            return "a penalty shoot-out (" + a(0) + ") after a decisive score (" + a(1) + ")";
        case Kind::levelKnockout:
            return csv ? "the knockout match ends level and the winner column names no winner (a match of a league "
                         "or a group needs its group)"
                       : "the knockout match ends level and has no penalty shoot-out";
        case Kind::loserPlaysOn:
            return q(0) + " lost the knockout match of " + (csv ? "line " : "match ") + a(1) +
                   " and plays again, against a team that has not lost; a two-legged tie goes in as one match with "
                   "the aggregate score, and league or group matches need their group";
        case Kind::noGroupAmongGroups:
            return std::string(csv ? "its group is empty" : "it has no group") +
                   ", but group matches are played before and after it (" +
                   (a(0) == "date" ? "by date" : "in the list's order") +
                   "): counted as a group match; write its group, or give a knockout match a round of its own";
        case Kind::playOffFirst:
            return "a knockout match listed before every group match: taken for a play-off before the group "
                   "stage, so its teams have not qualified for the knockout stage; if it belongs to the knockout "
                   "stage, list it after the group matches or date every match";
        case Kind::takenForSlot:
            return "no team of the game, national team or line of the names file has this name, and only knockout "
                   "matches not played yet name it: taken for a team not known yet, not added; to add it, add the "
                   "team to the game or name it in a names file";
        case Kind::fieldControl: return "the " + a(0) + " " + q(1) + " has a control character";
        case Kind::fieldNotShiftJis: return "the " + a(0) + " " + q(1) + " has a character Shift-JIS cannot hold";
        case Kind::fieldTooLong:
            return "the " + a(0) + " " + q(1) + " is longer than a team field holds (" + a(2) + " bytes)";
        case Kind::fieldHoldsTag: return "the " + a(0) + " " + q(1) + " holds the game file's tag " + a(2);
        case Kind::sameGameTeam: return "goes to the same team of the game (" + q(0) + ") as " + q(1);
        case Kind::newTeamNoName: return "the new team has no name";
        case Kind::newNameInGame:
            return "would be added as " + q(0) + ", a team the game already has; take that team instead";
        case Kind::newNameTwice: return "would be added as " + q(0) + " like " + q(1);
    }
    return {};
}

std::string message(ImportError::Kind kind, ImportError::Place place, int number, const std::string& name,
                    const std::vector<std::string>& args, const std::optional<text::InputProblem>& input) {
    const std::string where = describe(place, number, name);
    const std::string reason = englishReason(kind, place, args, input);
    return where.empty() ? reason : where + ": " + reason;
}

}  // namespace

ImportError::ImportError(Kind kind, Place place, int number, std::string name, std::vector<std::string> args)
    : std::runtime_error(message(kind, place, number, name, args, std::nullopt)),
      kind_(kind),
      place_(place),
      number_(number),
      name_(std::move(name)),
      args_(std::move(args)) {}

ImportError::ImportError(text::InputProblem input)
    : std::runtime_error(message(Kind::csvInvalid, Place::Line, static_cast<int>(input.line), {}, {}, input)),
      kind_(Kind::csvInvalid),
      place_(Place::Line),
      number_(static_cast<int>(input.line)),
      input_(std::move(input)) {}

std::string ImportError::reason() const { return englishReason(kind_, place_, args_, input_); }

std::string ImportError::placeText() const { return describe(place_, number_, name_); }

std::string quoteText(std::string_view utf8) { return '"' + visibleText(utf8) + '"'; }

std::string visibleText(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (byte < 0x20 || byte == 0x7F)
            out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
        else
            out += c;
    }
    return out;
}

}  // namespace scorvale::imports
