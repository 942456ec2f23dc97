#pragma once

#include <cstddef>
#include <string>

namespace scorvale::imports {

// Something a row of a members file holds that is not imported as written,
// and what the import does about it instead.
struct MemberProblem {
    enum class Kind {
        // The row is not imported:
        noName,             // the name cell is blank
        undecodable,        // a name or pick cell holds bytes neither UTF-8 nor CP932 reads
        notShiftJis,        // `text` is the first character of the cell Shift-JIS cannot hold
        controlCharacter,   // a line break, tab or other control character in a cell
        fileTag,            // `text` is a tag of the game file, which a saved text cannot hold
        nameInGame,         // `text`, the name, is a member of the game already (no replace)
        nameRepeated,       // `text` was imported from line `other` already (no replace)
        nameRepeatedLater,  // `text` is named again on line `other`, which replaces this row
        // The row is imported, changed:
        otherEncoding,      // the cell was not in the file's encoding; read as `text` ("UTF-8" or "CP932")
        nameCut,            // longer than a field holds: cut to `other` bytes
        voteCut,            // `text`, an unmatched pick, cut to `other` bytes
        emptyVote,          // a blank vote cell before a pick: the later picks move up
        repeatedVote,       // `text`, the team's name, picked already: dropped
        tooManyVotes,       // `other` picks from this column on, beyond the 64 a member has: dropped
        unmatchedVote,      // `text` matches no team: kept as written
        badDate,            // `text` is no timestamp (empty: the cell is blank): today's date used
    };

    Kind kind = Kind::noName;
    std::size_t line = 0;    // 1-based, where the record starts
    std::size_t column = 0;  // 1-based
    std::string text;        // UTF-8
    std::size_t other = 0;

    // True for the kinds after which the row is not imported.
    bool skipsRow() const { return kind <= Kind::nameRepeatedLater; }

    friend bool operator==(const MemberProblem&, const MemberProblem&) = default;
};

// "what; what was done" in English, as svltool prints it after the place.
std::string describe(const MemberProblem& problem);

}  // namespace scorvale::imports
