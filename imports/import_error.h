#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace scorvale::imports {

// A match list that cannot be read or applied. Names the place (a match of a
// JSON list, a line of a CSV or JSON text, a team of the list) and what is
// wrong there, in English; the window and svltool put the file in front.
class ImportError : public std::runtime_error {
public:
    enum class Place {
        File,   // the whole file
        Match,  // number() is the match's 1-based position in a JSON list
        Line,   // number() is a 1-based line of the text
        Team,   // name() is the team as the list writes it (UTF-8)
    };

    ImportError(Place place, int number, std::string name, std::string reason);

    static ImportError file(std::string reason) { return {Place::File, 0, {}, std::move(reason)}; }
    static ImportError match(int number, std::string reason) { return {Place::Match, number, {}, std::move(reason)}; }
    static ImportError line(int number, std::string reason) { return {Place::Line, number, {}, std::move(reason)}; }
    static ImportError team(std::string name, std::string reason) {
        return {Place::Team, 0, std::move(name), std::move(reason)};
    }

    Place place() const { return place_; }
    int number() const { return number_; }
    const std::string& name() const { return name_; }
    const std::string& reason() const { return reason_; }
    // "match 12", "line 5", "team \"Brazil\"" or empty for the whole file.
    std::string placeText() const;

private:
    Place place_;
    int number_;
    std::string name_;
    std::string reason_;
};

// A text of the list as a message shows it: a control character written as
// \n, \r, \t or \xNN, so a NUL or a line break in a name neither cuts nor
// breaks the message.
std::string visibleText(std::string_view utf8);
// The same in double quotes.
std::string quoteText(std::string_view utf8);

}  // namespace scorvale::imports
