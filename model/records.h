#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/text_field.h"
#include "model/vote_list.h"

namespace scorvale {

// Which record this is while undo follows the records through a command and
// the orderings after it (see undo/game_change.h). Not part of the record's
// value: two records that differ only here are equal.
struct RecordSerial {
    static constexpr std::uint32_t kNone = 0xFFFFFFFF;
    std::uint32_t value = kNone;

    friend bool operator==(RecordSerial, RecordSerial) { return true; }
};

// The rules of the game; the member initialisers are the start-up values.
struct GameSettings {
    std::int32_t password = 0;  // passwordValue of the administrator password; 0: none
    std::int32_t tournamentWinPoints = 6;
    std::int32_t qualifyBonus = 30;
    std::int32_t bonus3 = 0;
    std::int32_t bonus2 = 10;
    std::int32_t bonus1 = 20;
    std::int32_t rate = 1;  // 2 squared, 3 cubed dividends; anything else normal
    std::int32_t over = 0;  // 1: the final ranking is fixed, place bonuses apply
    std::string name = "Let's bet on the World Cup 2002";
    std::string date;
    std::int32_t drawPoints = 1;
    std::int32_t losePoints = 0;
    std::int32_t winPoints = 3;
    std::int32_t maxBet = 10;

    friend bool operator==(const GameSettings&, const GameSettings&) = default;
};

// What the page shows. The texts editor, head, foot and the four images are
// kept in the game file; the rest is filled by the report dialog on each run.
struct ReportSettings {
    std::int32_t memberDetails = 0;
    std::int32_t teamDetails = 0;
    std::string foot;
    std::string head;
    std::string date;
    std::string editor;
    std::string title;
    std::string backgroundImage;
    std::string topImage;
    std::string rightImage;
    std::string leftImage;
    std::int32_t memberRange = 2;
    std::int32_t teamRange = 2;

    friend bool operator==(const ReportSettings&, const ReportSettings&) = default;
};

struct Team {
    TextField name;
    TextField date;
    TextField symbol;
    TextField group;
    std::int32_t out = 0;
    std::int32_t qualify = 0;
    std::int32_t points = 0;  // computed
    std::int32_t wins = 0;
    std::int32_t draws = 0;
    std::int32_t losses = 0;
    std::int32_t played = 0;  // computed
    std::int32_t tournamentWins = 0;
    std::int32_t goalDiff = 0;
    std::int32_t rank = 0;        // computed
    std::int32_t bonus = 0;       // computed
    std::int32_t popularity = 0;  // computed
    RecordSerial serial;

    friend bool operator==(const Team&, const Team&) = default;
};

// A member and the ordered names of the teams it voted for. The vote list
// holds only the votes the member really has (at most kMaxVotes); the slots
// beyond it read as empty.
class Member {
public:
    static constexpr int kMaxVotes = VoteList::kMaxVotes;
    // Results of the vote-list operations besides positions and counts.
    static constexpr int kAlreadyVoted = -1;
    static constexpr int kVotesFull = -2;

    TextField name;
    TextField symbol;
    TextField date;
    std::int32_t score = 0;  // computed
    std::int32_t rank = 0;   // computed
    RecordSerial serial;

    int voteCount() const { return votes_.size(); }
    const VoteList& votes() const { return votes_; }
    // The vote in slot `slot`; empty for every slot from voteCount() on.
    std::string_view vote(int slot) const { return votes_[slot]; }

    // First position whose vote equals `text`, or -1.
    int findVote(std::string_view text) const { return votes_.find(text); }
    // Appends `text` unless it is already voted for (kAlreadyVoted) or the
    // list is full (kVotesFull); returns the new vote's position.
    int addVote(std::string_view text);
    // Puts `text` at `position` (0..voteCount()), moving later votes down;
    // returns the new count, or kVotesFull.
    int insertVote(int position, std::string_view text);
    // Removes the vote at `position`; returns the new count. A position outside
    // the list changes nothing.
    int removeVote(int position);
    // Appends without the duplicate check (a file may hold the same team
    // twice); refuses beyond kMaxVotes. Returns false when refused.
    bool appendVote(std::string_view text) { return votes_.append(text); }

    friend bool operator==(const Member&, const Member&) = default;

private:
    VoteList votes_;
};

}  // namespace scorvale
