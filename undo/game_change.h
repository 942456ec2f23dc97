#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "model/game.h"

namespace scorvale::undo {

// What a command may change in place or remove in one collection: nothing,
// the record at one index, or any record. Records it appends need no naming.
class Reach {
public:
    static Reach none() { return Reach(Kind::none, -1); }
    static Reach record(int index) { return Reach(Kind::one, index); }
    static Reach all() { return Reach(Kind::all, -1); }

    bool covers(std::size_t position) const {
        return kind_ == Kind::all || (kind_ == Kind::one && static_cast<std::size_t>(index_) == position);
    }
    bool isAll() const { return kind_ == Kind::all; }
    int index() const { return kind_ == Kind::one ? index_ : -1; }

private:
    enum class Kind { none, one, all };
    Reach(Kind kind, int index) : kind_(kind), index_(index) {}
    Kind kind_;
    int index_;
};

struct GameReach {
    Reach teams = Reach::none();
    Reach members = Reach::none();
};

// A stretch of a sequence: `count` consecutive numbers from `from` on, or
// (from == kKept, in a record order only) the next `count` records a change
// keeps itself.
struct Run {
    static constexpr std::uint32_t kKept = 0xFFFFFFFF;
    std::uint32_t from;
    std::uint32_t count;
};

// Records are told apart by their serials, which number each collection 0 to
// n - 1 (Record.serial): a header click moves records but not their numbers,
// so a change still finds them.

// One collection as it was, told against the collection as it is: its
// records in their order (today's records by number, or records the change
// keeps because today lacks them) and the numbers they had. Its size grows
// with what changed, not with the collection.
template <typename Record>
struct OrderChange {
    std::uint32_t otherSize = 0;  // records in today's collection
    std::vector<Run> records;
    std::vector<Run> numbers;
    std::vector<Record> kept;
};

// The game as it was before a change, told against the game after it: the
// values that differ, both collections, and whether they differ in what a
// saved file holds (the records' order aside: a header click changes it as
// freely). Applying it gives back that game exactly.
struct GameChange {
    // Held apart: most steps change none of them.
    std::unique_ptr<GameSettings> settings;
    std::unique_ptr<ReportSettings> report;
    std::unique_ptr<ResultsHistory> history;
    std::unique_ptr<PageChoice> page;
    OrderChange<Team> teams;
    OrderChange<Member> members;
    bool changesFile = false;

    // The bytes this change holds, its records' texts included.
    std::size_t memoryBytes() const;
};

// One collection before a command: its records' numbers in order, where each
// number stood, and copies of the records that may change.
template <typename Record>
struct CollectionBefore {
    std::uint32_t size = 0;
    std::vector<Run> numbers;
    // Serial -> position; empty when every serial is its position.
    std::vector<std::uint32_t> positionOfSerial;
    Reach reach = Reach::none();
    std::vector<std::pair<std::uint32_t, Record>> saved;  // by position
};

struct GameBefore {
    GameSettings settings;
    ReportSettings report;
    ResultsHistory history;
    PageChoice page;
    CollectionBefore<Team> teams;
    CollectionBefore<Member> members;
    // False when the records were not numbered (after a load, or a change made
    // outside the steps) and have been numbered anew.
    bool numberingKept = true;
};

// Before a command that may change `game` within `reach`: copies the small
// values and the records in reach. With `everyRecord` every record is
// copied, and building the change checks that nothing outside `reach` changed.
GameBefore recordBefore(Game& game, GameReach reach, bool everyRecord = false);

// Once the command has ended (its scoring and ordering included): the change
// that takes `game` back to `before`, or nothing when no value and no record
// differs (a new order of the records alone is no change). When there is
// one, the records are numbered anew by their positions. Throws
// std::logic_error when a record outside the reach changed.
std::optional<GameChange> changeBack(GameBefore&& before, Game& game);

// Makes `game` the game `change` tells of, its records in that game's order
// and numbered as they were there; returns the change that takes it back.
// `game` must be numbered as when the change was made; otherwise
// std::logic_error, with the game untouched (so also when memory runs out).
GameChange applyChange(GameChange&& change, Game& game);

// Whether two records hold the same values a file keeps (the computed ones
// and the serial aside).
bool sameStored(const Team& a, const Team& b);
bool sameStored(const Member& a, const Member& b);

}  // namespace scorvale::undo
