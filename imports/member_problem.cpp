#include "imports/member_problem.h"

namespace scorvale::imports {

namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::string describe(const MemberProblem& p) {
    using Kind = MemberProblem::Kind;
    const std::string n = std::to_string(p.other);
    switch (p.kind) {
        case Kind::noName: return "no name; row not imported";
        case Kind::undecodable: return "bytes that are neither UTF-8 nor CP932; row not imported";
        case Kind::notShiftJis: return quoted(p.text) + " cannot be written in Shift-JIS; row not imported";
        case Kind::controlCharacter: return "a line break or control character; row not imported";
        case Kind::fileTag: return "holds " + p.text + ", a tag of the game file; row not imported";
        case Kind::nameInGame: return quoted(p.text) + " is a member already; row skipped";
        case Kind::nameRepeated: return quoted(p.text) + " is on line " + n + " already; row skipped";
        case Kind::nameRepeatedLater:
            return quoted(p.text) + " is on line " + n + " again; row skipped, line " + n + " replaces it";
        case Kind::otherEncoding: return "not in the file's encoding; read as " + p.text;
        case Kind::nameCut: return "name longer than 127 bytes in Shift-JIS; cut to " + n + " bytes";
        case Kind::voteCut: return quoted(p.text) + " is longer than 127 bytes in Shift-JIS; cut to " + n + " bytes";
        case Kind::emptyVote: return "empty vote cell; skipped, the later picks move up";
        case Kind::repeatedVote: return quoted(p.text) + " is picked already; dropped";
        case Kind::tooManyVotes: return n + " picks beyond the 64 a member has; dropped";
        case Kind::unmatchedVote: return quoted(p.text) + " matches no team; kept as written";
        case Kind::badDate:
            return (p.text.empty() ? std::string("no timestamp") : quoted(p.text) + " is not a timestamp") +
                   "; today's date used";
    }
    return {};
}

}  // namespace scorvale::imports
