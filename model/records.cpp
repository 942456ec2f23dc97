#include "model/records.h"

namespace scorvale {

int Member::addVote(std::string_view text) {
    if (findVote(text) >= 0) return kAlreadyVoted;
    if (!appendVote(text)) return kVotesFull;
    return voteCount() - 1;
}

int Member::insertVote(int position, std::string_view text) {
    if (!votes_.insert(position, text)) return kVotesFull;
    return voteCount();
}

int Member::removeVote(int position) {
    votes_.erase(position);
    return voteCount();
}

}  // namespace scorvale
