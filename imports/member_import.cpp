#include "imports/member_import.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "imports/form_date.h"
#include "gamefile/file_lines.h"
#include "text/normalize.h"
#include "text/sjis_codec.h"

namespace scorvale::imports {

namespace {

using Kind = MemberProblem::Kind;
using Action = PlannedRow::Action;

constexpr std::size_t kFieldBytes = TextField::kMaxBytes;

// A line break or tab would break the game file's lines; a NUL would end the field.
bool hasControlCharacter(std::string_view utf8) {
    return std::any_of(utf8.begin(), utf8.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x20 || b == 0x7F;
    });
}

std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// The first character of `utf8` without a Shift-JIS form, for the report.
std::string firstUnencodable(std::string_view utf8) {
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = std::min(sequenceLength(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
        const std::string_view character = utf8.substr(at, length);
        if (!sjis::fromUtf8(character)) return std::string(character);
        at += length;
    }
    return std::string(utf8);
}

bool isBlank(const text::CsvTable& table, std::size_t row) {
    for (std::size_t c = 1; c <= table.width(row); ++c)
        if (!text::trimSpaces(table.cell(row, c)).empty()) return false;
    return true;
}

// The vote columns in order, resolved against the file's width.
std::vector<std::size_t> voteColumns(const MemberImportOptions& options, std::size_t width) {
    std::vector<std::size_t> columns;
    if (options.firstVoteColumn == 0) {
        for (std::size_t c = options.nameColumn + 1; c <= width; ++c)
            if (c != options.dateColumn) columns.push_back(c);
    } else {
        for (std::size_t c = options.firstVoteColumn; c <= options.lastVoteColumn; ++c) columns.push_back(c);
    }
    return columns;
}

void checkColumn(std::size_t column, std::size_t width) {
    if (column > width)
        throw text::InputError({text::InputProblem::Kind::columnBeyond, 0, column, {}, width});
}

// The spellings of picks no team matches by itself, each once.
class Spellings {
public:
    void add(TeamMatcher& matcher, std::string_view written, const TeamMatch& match) {
        const std::string& key = matcher.keyOf(written);
        if (key.empty()) return;  // nothing a name file could name
        const auto [at, added] = index_.try_emplace(key, list_.size());
        if (added) list_.push_back({std::string(written), key, 0, match.team});
        ++list_[at->second].count;
    }
    std::vector<PickSpelling> take() { return std::move(list_); }

private:
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<PickSpelling> list_;
};

// Turns one record into a row: everything that does not depend on the other rows.
class RowPlanner {
public:
    RowPlanner(const MembersFile& file, const MemberImportOptions& options, std::vector<std::size_t> voteColumns,
               const Game& game, TeamMatcher& matcher, std::string_view todayText,
               const std::vector<std::string>& teamNames)
        : file_(file),
          options_(options),
          voteColumns_(std::move(voteColumns)),
          game_(game),
          matcher_(matcher),
          today_(todayText),
          teamNames_(teamNames) {}

    // Rows are planned in file order.
    PlannedRow plan(std::size_t record) {
        PlannedRow row;
        row.fileRow = record;
        row.line = file_.table.line(record);
        line_ = row.line;
        record_ = record;
        problems_ = &row.problems;
        while (nextNote_ < file_.notes.size() && file_.notes[nextNote_].row < record) ++nextNote_;
        readName(row, cell(options_.nameColumn));
        readVotes(row);
        readDate(row);
        std::stable_sort(row.problems.begin(), row.problems.end(),
                         [](const MemberProblem& a, const MemberProblem& b) { return a.column < b.column; });
        // A row that is not imported says why once, at its first bad cell.
        const auto reason = std::find_if(row.problems.begin(), row.problems.end(),
                                         [](const MemberProblem& p) { return p.skipsRow(); });
        if (reason != row.problems.end()) {
            row.action = Action::skip;
            MemberProblem first = std::move(*reason);
            row.problems.assign(1, std::move(first));
        }
        return row;
    }

    std::vector<PickSpelling> takeSpellings() { return spellings_.take(); }

private:
    std::string_view cell(std::size_t column) const { return file_.table.cell(record_, column); }

    void report(Kind kind, std::size_t column, std::string text = {}, std::size_t other = 0) {
        problems_->push_back({kind, line_, column, std::move(text), other});
    }

    // The note of a cell of this row, if it has one.
    const CellNote* noteOf(std::size_t column) const {
        for (std::size_t k = nextNote_; k < file_.notes.size() && file_.notes[k].row == record_; ++k)
            if (file_.notes[k].column == column) return &file_.notes[k];
        return nullptr;
    }

    // Says so when the cell was read in the other encoding; false when no encoding reads it.
    bool decoded(std::size_t column) {
        const CellNote* note = noteOf(column);
        if (!note) return true;
        if (note->kind == CellNote::Kind::undecodable) {
            report(Kind::undecodable, column);
            return false;
        }
        report(Kind::otherEncoding, column, file_.otherEncoding() == text::Encoding::cp932 ? "CP932" : "UTF-8");
        return true;
    }

    // The Shift-JIS form of a text to store, or nothing after reporting why it has none.
    std::optional<std::string> storable(std::string_view utf8, std::size_t column) {
        if (!decoded(column)) return std::nullopt;
        if (hasControlCharacter(utf8)) {
            report(Kind::controlCharacter, column);
            return std::nullopt;
        }
        auto bytes = sjis::fromUtf8(utf8);
        if (!bytes) {
            report(Kind::notShiftJis, column, firstUnencodable(utf8));
        } else if (const std::string_view tag = gamefile::tagIn(*bytes); !tag.empty()) {
            report(Kind::fileTag, column, std::string(tag));
            bytes.reset();
        }
        return bytes;
    }

    void readName(PlannedRow& row, std::string_view raw) {
        const std::size_t column = options_.nameColumn;
        row.name = std::string(text::trimSpaces(raw));
        if (row.name.empty()) {
            report(Kind::noName, column);
            return;
        }
        const auto bytes = storable(row.name, column);
        if (!bytes) return;
        row.record.name = *bytes;
        if (bytes->size() > kFieldBytes) {
            row.name = sjis::toUtf8(row.record.name.view());
            report(Kind::nameCut, column, {}, row.record.name.size());
        }
    }

    void readVotes(PlannedRow& row) {
        row.votes.reserve(std::min<std::size_t>(voteColumns_.size(), Member::kMaxVotes));
        std::vector<std::size_t> blanks;  // reported once a later pick moves up over them
        std::size_t dropped = 0;
        std::size_t firstDropped = 0;
        for (const std::size_t column : voteColumns_) {
            const std::string_view pick = text::trimSpaces(cell(column));
            if (pick.empty()) {
                blanks.push_back(column);
                continue;
            }
            if (row.record.voteCount() == Member::kMaxVotes) {
                if (dropped++ == 0) firstDropped = column;
                continue;
            }
            for (const std::size_t blank : blanks) report(Kind::emptyVote, blank);
            blanks.clear();

            const TeamMatch match = matcher_.match(pick);
            // A pick no encoding reads keeps its row out whatever it is mapped to.
            const CellNote* note = noteOf(column);
            const bool readable = !note || note->kind != CellNote::Kind::undecodable;
            if (readable && (match.kind == MatchKind::none || match.kind == MatchKind::alias))
                spellings_.add(matcher_, pick, match);
            PlannedVote vote{static_cast<std::uint32_t>(column), match.team, {}};
            std::string stored;
            if (match.team >= 0) {
                stored = game_.teamAt(match.team).name.str();
                decoded(column);
            } else {
                const auto bytes = storable(pick, column);
                vote.text = std::string(pick);
                if (!bytes) {
                    row.votes.push_back(std::move(vote));  // shown where the problem is
                    continue;
                }
                stored = *bytes;
            }
            const TextField field(stored);
            if (row.record.findVote(field.view()) >= 0) {
                report(Kind::repeatedVote, column,
                       match.team >= 0 ? teamNames_[static_cast<std::size_t>(match.team)] : vote.text);
                continue;
            }
            if (match.team < 0) {
                if (stored.size() > kFieldBytes) {
                    vote.text = sjis::toUtf8(field.view());
                    report(Kind::voteCut, column, std::string(pick), field.size());
                }
                report(Kind::unmatchedVote, column, vote.text);
            }
            row.record.appendVote(field.view());
            row.votes.push_back(std::move(vote));
        }
        if (dropped > 0) report(Kind::tooManyVotes, firstDropped, {}, dropped);
    }

    void readDate(PlannedRow& row) {
        row.date = today_;
        if (options_.dateColumn > 0) {
            const std::string_view raw = cell(options_.dateColumn);
            if (auto date = formDate(raw)) row.date = std::move(*date);
            else report(Kind::badDate, options_.dateColumn, std::string(text::trimSpaces(raw)));
        }
        row.record.date = row.date;
    }

    const MembersFile& file_;
    const MemberImportOptions& options_;
    const std::vector<std::size_t> voteColumns_;
    const Game& game_;
    TeamMatcher& matcher_;
    const std::string today_;
    const std::vector<std::string>& teamNames_;  // UTF-8
    Spellings spellings_;
    std::size_t record_ = 0;
    std::size_t nextNote_ = 0;  // the first note of this row or a later one
    std::size_t line_ = 0;
    std::vector<MemberProblem>* problems_ = nullptr;
};

void addProblem(PlannedRow& row, MemberProblem problem) {
    const auto at = std::upper_bound(row.problems.begin(), row.problems.end(), problem.column,
                                     [](std::size_t column, const MemberProblem& p) { return column < p.column; });
    row.problems.insert(at, std::move(problem));
}

// A row of a name taken already is skipped and keeps only the reason.
void skipForName(PlannedRow& row, Kind kind, std::size_t nameColumn, std::size_t other) {
    row.action = Action::skip;
    row.member = -1;
    std::erase_if(row.problems, [](const MemberProblem& p) { return !p.skipsRow(); });
    addProblem(row, {kind, row.line, nameColumn, row.name, other});
}

// The rule of a merge: a name present stays as it is and the later row is
// skipped; with replace, the last row of a name wins and replaces the member.
void resolveNames(std::vector<PlannedRow>& rows, const MemberImportOptions& options, const Game& game) {
    std::unordered_map<std::string, int> inGame;
    for (int index = 0; index < game.memberCount(); ++index) inGame.emplace(game.memberAt(index).name.str(), index);
    std::unordered_map<std::string, std::size_t> taken;  // name -> the row that has it
    for (std::size_t i = 0; i < rows.size(); ++i) {
        PlannedRow& row = rows[i];
        if (row.action == Action::skip) continue;
        const std::string& key = row.record.name.str();
        const auto member = inGame.find(key);
        const auto earlier = taken.find(key);
        if (!options.replace) {
            if (member != inGame.end())
                skipForName(row, Kind::nameInGame, options.nameColumn, 0);
            else if (earlier != taken.end())
                skipForName(row, Kind::nameRepeated, options.nameColumn, rows[earlier->second].line);
            else
                taken.emplace(key, i);
            continue;
        }
        if (earlier != taken.end()) {
            skipForName(rows[earlier->second], Kind::nameRepeatedLater, options.nameColumn, row.line);
            earlier->second = i;
        } else {
            taken.emplace(key, i);
        }
        if (member != inGame.end()) {
            row.action = Action::replace;
            row.member = member->second;
        }
    }
}

}  // namespace

MemberOptionsError::MemberOptionsError(Kind kind)
    : std::invalid_argument([kind] {
          switch (kind) {
              case Kind::dateIsName: return "the date column is the name column";
              case Kind::badVoteRange: return "the vote columns must be N-M with 1 <= N <= M";
              case Kind::votesHoldName: return "the vote columns hold the name column";
              case Kind::votesHoldDate: return "the vote columns hold the date column";
          }
          return "";
      }()),
      kind_(kind) {}

void checkMemberOptions(const MemberImportOptions& options) {
    using K = MemberOptionsError::Kind;
    if (options.dateColumn > 0 && options.dateColumn == options.nameColumn) throw MemberOptionsError(K::dateIsName);
    const bool defaultVotes = options.firstVoteColumn == 0 && options.lastVoteColumn == 0;
    if (defaultVotes) return;
    if (options.firstVoteColumn == 0 || options.lastVoteColumn < options.firstVoteColumn)
        throw MemberOptionsError(K::badVoteRange);
    const auto inVotes = [&](std::size_t c) { return c >= options.firstVoteColumn && c <= options.lastVoteColumn; };
    if (inVotes(options.nameColumn)) throw MemberOptionsError(K::votesHoldName);
    if (options.dateColumn > 0 && inVotes(options.dateColumn)) throw MemberOptionsError(K::votesHoldDate);
}

MemberImportPlan planMemberImport(const MembersFile& file, const MemberImportOptions& options, const Game& game,
                                  TeamMatcher& matcher, std::string_view todayText) {
    using text::InputProblem;
    checkMemberOptions(options);
    if (options.nameColumn == 0) throw text::InputError({InputProblem::Kind::noNameColumn, 0, 0, {}, 0});
    const std::size_t width = file.columnCount();
    checkColumn(options.nameColumn, width);
    checkColumn(options.dateColumn, width);
    checkColumn(options.lastVoteColumn, width);

    matcher.setAliases(options.names);
    const std::size_t first = options.header ? 1 : 0;
    const std::size_t records = file.table.rowCount();
    MemberImportPlan plan;
    plan.teamNames.reserve(static_cast<std::size_t>(game.teamCount()));
    for (const Team& team : game.teams()) plan.teamNames.push_back(sjis::toUtf8(team.name.view()));
    RowPlanner planner(file, options, voteColumns(options, width), game, matcher, todayText, plan.teamNames);
    plan.rows.reserve(records - std::min(first, records));
    for (std::size_t k = first; k < records; ++k)
        if (!isBlank(file.table, k)) plan.rows.push_back(planner.plan(k));
    if (plan.rows.empty()) {
        if (options.header && records > 0)
            throw text::InputError({InputProblem::Kind::onlyHeader, file.table.line(0), 0, {}, 0});
        throw text::InputError({InputProblem::Kind::noRows, 0, 0, {}, 0});
    }
    resolveNames(plan.rows, options, game);
    plan.spellings = planner.takeSpellings();

    for (const PlannedRow& row : plan.rows) {
        switch (row.action) {
            case Action::add: ++plan.toAdd; break;
            case Action::replace: ++plan.toReplace; break;
            case Action::skip: ++plan.toSkip; break;
        }
        plan.problemCount += row.problems.size();
        plan.voteColumns = std::max(plan.voteColumns, row.votes.size());
    }
    return plan;
}

MemberImportPlan prepareMemberImport(std::string_view bytes, const MemberImportOptions& options, const Game& game,
                                     std::string_view todayText) {
    checkMemberOptions(options);
    const MembersFile file = readMembersFile(bytes, options.format());
    TeamMatcher matcher(game);
    return planMemberImport(file, options, game, matcher, todayText);
}

MemberImportResult applyMemberImport(Game& game, const MemberImportPlan& plan, std::string_view todayText) {
    for (const PlannedRow& row : plan.rows) {
        if (row.action != Action::replace) continue;
        if (row.member < 0 || row.member >= game.memberCount() || game.memberAt(row.member).name != row.record.name)
            throw std::invalid_argument("the plan names a member this game does not have");
    }
    MemberImportResult result;
    game.members().reserve(game.members().size() + plan.toAdd);
    for (const PlannedRow& row : plan.rows) {
        if (row.action == Action::add) {
            game.addMember(row.record);
            ++result.added;
        } else if (row.action == Action::replace) {
            Member& member = game.memberAt(row.member);
            Member replaced = row.record;
            replaced.symbol = member.symbol;
            replaced.score = member.score;
            replaced.rank = member.rank;
            member = std::move(replaced);
            ++result.replaced;
        }
    }
    if (result.changed()) game.settings.date = std::string(todayText);
    return result;
}

}  // namespace scorvale::imports
