#include "undo/game_change.h"

#include <algorithm>
#include <stdexcept>
#include <type_traits>

#include "gamefile/file_lines.h"

namespace scorvale::undo {

namespace {

constexpr std::uint32_t kNone = RecordSerial::kNone;

std::uint32_t collectionSize(std::size_t size) {
    if (size >= kNone) throw std::length_error("too many records to follow");
    return static_cast<std::uint32_t>(size);
}

// Both games' settings and stored report texts, as the file's settings
// lines take them.
bool sameStoredSettings(const Game& a, const GameSettings& settings, const ReportSettings& report) {
    for (const auto& line : gamefile::kSettingsLines) {
        if (line.number != nullptr && a.settings.*line.number != settings.*line.number) return false;
        if (line.text != nullptr && a.settings.*line.text != settings.*line.text) return false;
        if (line.reportText != nullptr && a.report.*line.reportText != report.*line.reportText) return false;
    }
    return true;
}

template <typename Record, std::size_t N>
bool sameLines(const Record& a, const Record& b, const std::array<gamefile::RecordLine<Record>, N>& lines) {
    for (const auto& line : lines) {
        if (line.number != nullptr && a.*line.number != b.*line.number) return false;
        if (line.text != nullptr && a.*line.text != b.*line.text) return false;
    }
    return true;
}

std::size_t heapOf(const std::string& text) {
    // What a string holds beyond itself (libstdc++ keeps 15 bytes inside).
    return text.capacity() > 15 ? text.capacity() + 1 : 0;
}
std::size_t heapOf(const TextField& field) { return heapOf(field.str()); }
std::size_t heapOf(const Team& t) { return heapOf(t.name) + heapOf(t.date) + heapOf(t.symbol) + heapOf(t.group); }
std::size_t heapOf(const Member& m) {
    return heapOf(m.name) + heapOf(m.symbol) + heapOf(m.date) + m.votes().heapBytes();
}
std::size_t heapOf(const GameSettings& s) { return sizeof s + heapOf(s.name) + heapOf(s.date); }
std::size_t heapOf(const PageChoice& p) { return sizeof p; }
std::size_t heapOf(const ReportSettings& r) {
    std::size_t bytes = sizeof r;
    for (const std::string* text : {&r.foot, &r.head, &r.date, &r.editor, &r.title, &r.backgroundImage, &r.topImage,
                                    &r.rightImage, &r.leftImage})
        bytes += heapOf(*text);
    return bytes;
}
std::size_t heapOf(const ResultsHistory& h) {
    std::size_t bytes = sizeof h + h.days().capacity() * sizeof(HistoryDay);
    for (const HistoryDay& day : h.days()) {
        bytes += heapOf(day.date) + day.teams.capacity() * sizeof(RecordedResults);
        for (const RecordedResults& team : day.teams) bytes += heapOf(team.name);
    }
    return bytes;
}

template <typename Record>
std::size_t heapOf(const OrderChange<Record>& order) {
    std::size_t bytes = (order.records.capacity() + order.numbers.capacity()) * sizeof(Run) +
                        order.kept.capacity() * sizeof(Record);
    for (const Record& record : order.kept) bytes += heapOf(record);
    return bytes;
}

// Appends `value` to runs of consecutive numbers, or one kept record.
void addRun(std::vector<Run>& runs, std::uint32_t value) {
    if (!runs.empty()) {
        Run& last = runs.back();
        const bool extends = value == Run::kKept ? last.from == Run::kKept
                                                 : last.from != Run::kKept && last.from + last.count == value;
        if (extends) {
            ++last.count;
            return;
        }
    }
    runs.push_back({value, 1});
}

std::size_t runsTotal(const std::vector<Run>& runs) {
    std::size_t total = 0;
    for (const Run& run : runs) total += run.count;
    return total;
}

template <typename Record>
CollectionBefore<Record> collectionBefore(std::vector<Record>& records, Reach reach, bool everyRecord,
                                          bool& numberingKept) {
    CollectionBefore<Record> before;
    before.size = collectionSize(records.size());
    before.reach = reach;
    // Serials that are not the numbers 0 to n - 1, each once, are given anew.
    std::vector<std::uint32_t> position(records.size(), kNone);
    bool numbered = true;
    bool inOrder = true;
    for (std::uint32_t i = 0; i < before.size && numbered; ++i) {
        const std::uint32_t serial = records[i].serial.value;
        numbered = serial < before.size && position[serial] == kNone;
        if (!numbered) break;
        position[serial] = i;
        inOrder = inOrder && serial == i;
        addRun(before.numbers, serial);
    }
    if (!numbered) {
        for (std::uint32_t i = 0; i < before.size; ++i) records[i].serial.value = i;
        before.numbers.clear();
        if (before.size > 0) before.numbers.push_back({0, before.size});
        numberingKept = false;
    }
    if (numbered && !inOrder) before.positionOfSerial = std::move(position);

    if (everyRecord || reach.isAll()) {
        before.saved.reserve(records.size());
        for (std::uint32_t i = 0; i < before.size; ++i) before.saved.emplace_back(i, records[i]);
    } else if (reach.index() >= 0 && static_cast<std::size_t>(reach.index()) < records.size()) {
        const auto at = static_cast<std::uint32_t>(reach.index());
        before.saved.emplace_back(at, records[at]);
    }
    return before;
}

// The collection `before` told against `after`, whose records are about to
// be numbered by their positions. A record of `after` is the one of `before`
// its serial names unless it changed; every record of `before` that none
// stands for must have been saved.
template <typename Record>
OrderChange<Record> orderBack(CollectionBefore<Record>& before, const std::vector<Record>& after, bool& changed) {
    const std::uint32_t size = before.size;
    const auto positionOf = [&before, size](std::uint32_t serial) {
        if (before.positionOfSerial.empty()) return serial < size ? serial : kNone;
        return serial < before.positionOfSerial.size() ? before.positionOfSerial[serial] : kNone;
    };
    const auto savedAt = [&before](std::uint32_t position) -> Record* {
        const auto found = std::lower_bound(before.saved.begin(), before.saved.end(), position,
                                            [](const auto& entry, std::uint32_t p) { return entry.first < p; });
        return found != before.saved.end() && found->first == position ? &found->second : nullptr;
    };

    std::vector<std::uint32_t> stands(size, kNone);  // position before -> position after
    const std::uint32_t afterSize = collectionSize(after.size());
    for (std::uint32_t j = 0; j < afterSize; ++j) {
        const std::uint32_t p = positionOf(after[j].serial.value);
        if (p == kNone || stands[p] != kNone) continue;
        if (const Record* old = savedAt(p); old != nullptr && !sameStored(*old, after[j])) continue;
        stands[p] = j;
    }

    OrderChange<Record> order;
    order.otherSize = afterSize;
    changed = changed || afterSize != size;
    for (std::uint32_t p = 0; p < size; ++p) {
        if (stands[p] != kNone) {
            addRun(order.records, stands[p]);
            continue;
        }
        Record* old = savedAt(p);
        if (old == nullptr || !before.reach.covers(p))
            throw std::logic_error("a record changed that the command was not to change");
        changed = true;
        order.kept.push_back(std::move(*old));
        addRun(order.records, Run::kKept);
    }
    order.numbers = std::move(before.numbers);
    order.records.shrink_to_fit();
    order.kept.shrink_to_fit();
    return order;
}

template <typename Record>
void numberByPosition(std::vector<Record>& records) {
    for (std::size_t i = 0; i < records.size(); ++i) records[i].serial.value = static_cast<std::uint32_t>(i);
}

// Calls visit(position, number, from) for each record of the order, where
// `from` is today's number of the record or Run::kKept.
template <typename Visit>
void eachRecord(const std::vector<Run>& records, const std::vector<Run>& numbers, Visit visit) {
    auto number = numbers.begin();
    std::uint32_t inNumber = 0;
    std::uint32_t position = 0;
    for (const Run& run : records) {
        for (std::uint32_t k = 0; k < run.count; ++k, ++position) {
            while (inNumber == number->count) {
                ++number;
                inNumber = 0;
            }
            visit(position, number->from + inNumber++, run.from == Run::kKept ? Run::kKept : run.from + k);
        }
    }
}

// An order change checked against the collection it is to be applied to,
// with the reverse worked out and every buffer in hand, so that applying it
// cannot fail halfway.
template <typename Record>
struct PreparedOrder {
    std::vector<std::uint32_t> positionOfSerial;  // today's number -> position
    std::vector<Record> target;
    OrderChange<Record> reverse;
};

template <typename Record>
PreparedOrder<Record> prepare(const OrderChange<Record>& order, const std::vector<Record>& current) {
    const auto bad = [] { throw std::logic_error("the records are not the ones the step was made from"); };
    PreparedOrder<Record> prepared;
    const std::uint32_t size = collectionSize(current.size());
    if (size != order.otherSize) bad();
    prepared.positionOfSerial.assign(size, kNone);
    for (std::uint32_t i = 0; i < size; ++i) {
        const std::uint32_t serial = current[i].serial.value;
        if (serial >= size || prepared.positionOfSerial[serial] != kNone) bad();
        prepared.positionOfSerial[serial] = i;
    }
    const std::size_t total = runsTotal(order.records);
    if (total >= kNone || runsTotal(order.numbers) != total) bad();
    std::size_t kept = 0;
    for (const Run& run : order.records) {
        if (run.from == Run::kKept) kept += run.count;
        else if (run.from > size || run.count > size - run.from) bad();
    }
    if (kept != order.kept.size()) bad();
    for (const Run& run : order.numbers)
        if (run.from > total || run.count > total - run.from) bad();

    // What each of today's records becomes: its number there, or kNone when
    // that game lacks it.
    std::vector<std::uint32_t> becomes(size, kNone);
    std::vector<bool> numberTaken(total, false);
    bool fine = true;
    eachRecord(order.records, order.numbers, [&](std::uint32_t, std::uint32_t number, std::uint32_t from) {
        fine = fine && !numberTaken[number];
        numberTaken[number] = true;
        if (from == Run::kKept) return;
        fine = fine && becomes[from] == kNone;
        becomes[from] = number;
    });
    if (!fine) bad();

    // The reverse: today's records in today's order, by their numbers there.
    OrderChange<Record>& reverse = prepared.reverse;
    reverse.otherSize = static_cast<std::uint32_t>(total);
    std::size_t dropped = 0;
    for (std::uint32_t i = 0; i < size; ++i) {
        const std::uint32_t serial = current[i].serial.value;
        addRun(reverse.records, becomes[serial] == kNone ? Run::kKept : becomes[serial]);
        addRun(reverse.numbers, serial);
        if (becomes[serial] == kNone) ++dropped;
    }
    reverse.records.shrink_to_fit();
    reverse.numbers.shrink_to_fit();
    reverse.kept.reserve(dropped);
    prepared.target.reserve(total);
    return prepared;
}

template <typename Record>
void commit(PreparedOrder<Record>& prepared, OrderChange<Record>& order, std::vector<Record>& current) noexcept {
    std::vector<Record>& target = prepared.target;
    std::size_t nextKept = 0;
    // Today's records the change takes are moved out; those left behind go
    // to the reverse, in today's order.
    eachRecord(order.records, order.numbers, [&](std::uint32_t, std::uint32_t number, std::uint32_t from) {
        target.push_back(std::move(from == Run::kKept ? order.kept[nextKept++]
                                                      : current[prepared.positionOfSerial[from]]));
        target.back().serial.value = number;
        if (from != Run::kKept) current[prepared.positionOfSerial[from]].serial.value = kNone;
    });
    for (Record& record : current)
        if (record.serial.value != kNone) prepared.reverse.kept.push_back(std::move(record));
    current = std::move(target);
}

}  // namespace

bool sameStored(const Team& a, const Team& b) { return sameLines(a, b, gamefile::kTeamLines); }

bool sameStored(const Member& a, const Member& b) {
    return sameLines(a, b, gamefile::kMemberLines) && a.votes() == b.votes();
}

std::size_t GameChange::memoryBytes() const {
    std::size_t bytes = sizeof *this + heapOf(teams) + heapOf(members);
    if (settings) bytes += heapOf(*settings);
    if (report) bytes += heapOf(*report);
    if (history) bytes += heapOf(*history);
    if (page) bytes += heapOf(*page);
    return bytes;
}

GameBefore recordBefore(Game& game, GameReach reach, bool everyRecord) {
    GameBefore before{game.settings, game.report, game.history, game.page, {}, {}, true};
    before.teams = collectionBefore(game.teams(), reach.teams, everyRecord, before.numberingKept);
    before.members = collectionBefore(game.members(), reach.members, everyRecord, before.numberingKept);
    return before;
}

std::optional<GameChange> changeBack(GameBefore&& before, Game& game) {
    bool teamsChanged = false;
    bool membersChanged = false;
    GameChange change;
    change.teams = orderBack(before.teams, game.teams(), teamsChanged);
    change.members = orderBack(before.members, game.members(), membersChanged);
    // The history and the page are kept with the game's file too.
    change.changesFile = teamsChanged || membersChanged || !sameStoredSettings(game, before.settings, before.report) ||
                         !(before.history == game.history) || !(before.page == game.page);
    const auto keep = [](auto& was, const auto& is, auto& into) {
        using Value = std::remove_reference_t<decltype(was)>;
        if (!(was == is)) into = std::make_unique<Value>(std::move(was));
    };
    keep(before.settings, game.settings, change.settings);
    keep(before.report, game.report, change.report);
    keep(before.history, game.history, change.history);
    keep(before.page, game.page, change.page);
    if (!teamsChanged && !membersChanged && !change.settings && !change.report && !change.history && !change.page)
        return std::nullopt;
    numberByPosition(game.teams());
    numberByPosition(game.members());
    return change;
}

GameChange applyChange(GameChange&& change, Game& game) {
    // Everything that may fail comes first: the game changes only after.
    PreparedOrder<Team> teams = prepare(change.teams, game.teams());
    PreparedOrder<Member> members = prepare(change.members, game.members());
    GameChange reverse;
    reverse.changesFile = change.changesFile;
    if (change.settings) reverse.settings = std::make_unique<GameSettings>(game.settings);
    if (change.report) reverse.report = std::make_unique<ReportSettings>(game.report);
    if (change.history) reverse.history = std::make_unique<ResultsHistory>(game.history);
    if (change.page) reverse.page = std::make_unique<PageChoice>(game.page);

    if (change.settings) game.settings = std::move(*change.settings);
    if (change.report) game.report = std::move(*change.report);
    if (change.history) game.history = std::move(*change.history);
    if (change.page) game.page = *change.page;
    commit(teams, change.teams, game.teams());
    commit(members, change.members, game.members());
    reverse.teams = std::move(teams.reverse);
    reverse.members = std::move(members.reverse);
    return reverse;
}

}  // namespace scorvale::undo
