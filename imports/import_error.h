#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "text/input_error.h"

namespace scorvale::imports {

// A match list that cannot be read or applied, or a guess its reading made,
// as data: where (a match of a JSON list, a line of a CSV or JSON text, a team
// of the list), what kind of problem, and the texts it names (UTF-8). The
// window words it in Japanese; reason() and what() word it in English.
class ImportError : public std::runtime_error {
public:
    enum class Place {
        File,   // the whole file
        Match,  // number() is the match's 1-based position in a JSON list
        Line,   // number() is a 1-based line of the text
        Team,   // name() is the team as the list writes it (UTF-8)
    };

    // What is wrong. The brackets say what args() holds, in order. Where a
    // CSV and a JSON list say it differently, the place tells which.
    enum class Kind {
        // The whole file
        notAMatchList,  // neither JSON nor a CSV naming the needed columns
        emptyFile,
        jsonInvalid,      // [the parser's reason]
        jsonNotAnObject,  // the text is not an object
        jsonNoMatches,    // it has no list "matches"
        // A CSV's header or syntax
        columnTwice,    // [column]
        columnMissing,  // [column]
        csvInvalid,     // input() says what and where
        // A field of a match
        matchNotAnObject,
        scoreNotAnObject,
        fieldMissing,     // [key]
        fieldNotText,     // [key]
        fieldEmpty,       // [column or key]
        badDate,          // [date]
        otherScoreEmpty,  // [the empty score's column]
        goalsNegative,    // [column or score key, the cell (CSV)]
        goalsNotNumber,   // [column or score key, the cell (CSV)]
        goalsTooMany,     // [column or score key, the cell (CSV), the most goals]
        winnerUnknown,    // [winner, team1, team2]
        winnerLost,       // [winner, score]
        // A match against itself or the others
        playsItself,            // [team]
        slotWithScore,          // [the slot's text]
        extraTimeLower,         // [after extra time, at full time]
        shootOutLevel,
        shootOutAfterDecisive,  // [the shoot-out, the decisive score]
        levelKnockout,          // a played knockout match with no winner
        loserPlaysOn,           // [team, the number of the place where it lost]
        // Guesses the reading made; the import goes on
        noGroupAmongGroups,  // ["date" or "list": what orders the matches]
        playOffFirst,        // a knockout match listed before every group match
        takenForSlot,        // name() is known nowhere and only in unplayed knockout matches
        // A team of the list against the game
        fieldControl,     // [field ("name", "group"), text]
        fieldNotShiftJis, // [field, text]
        fieldTooLong,     // [field, text, the most bytes]
        fieldHoldsTag,    // [field, text, tag]
        sameGameTeam,     // [the game's team, the other team of the list]
        newTeamNoName,
        newNameInGame,    // [new name]
        newNameTwice,     // [new name, the other team of the list]
    };

    ImportError(Kind kind, Place place, int number, std::string name, std::vector<std::string> args = {});
    // A CSV the syntax of which stops at input's place.
    explicit ImportError(text::InputProblem input);

    static ImportError file(Kind kind, std::vector<std::string> args = {}) {
        return {kind, Place::File, 0, {}, std::move(args)};
    }
    static ImportError match(int number, Kind kind, std::vector<std::string> args = {}) {
        return {kind, Place::Match, number, {}, std::move(args)};
    }
    static ImportError line(int number, Kind kind, std::vector<std::string> args = {}) {
        return {kind, Place::Line, number, {}, std::move(args)};
    }
    static ImportError team(std::string name, Kind kind, std::vector<std::string> args = {}) {
        return {kind, Place::Team, 0, std::move(name), std::move(args)};
    }

    Kind kind() const { return kind_; }
    Place place() const { return place_; }
    int number() const { return number_; }
    const std::string& name() const { return name_; }
    const std::vector<std::string>& args() const { return args_; }
    // Set for csvInvalid only.
    const std::optional<text::InputProblem>& input() const { return input_; }
    // What is wrong in English, without the place.
    std::string reason() const;
    // "match 12", "line 5", "team \"Brazil\"" or empty for the whole file.
    std::string placeText() const;

private:
    Kind kind_;
    Place place_;
    int number_;
    std::string name_;
    std::vector<std::string> args_;
    std::optional<text::InputProblem> input_;
};

// A text of the list as a message shows it: a control character written as
// \n, \r, \t or \xNN, so a NUL or a line break in a name neither cuts nor
// breaks the message.
std::string visibleText(std::string_view utf8);
// The same in double quotes.
std::string quoteText(std::string_view utf8);

}  // namespace scorvale::imports
