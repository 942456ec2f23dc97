#include "model/records.h"

namespace scorvale {

const TextField& Member::vote(int slot) const {
    static const TextField kEmpty;
    return slot >= 0 && slot < voteCount() ? teams_[static_cast<std::size_t>(slot)] : kEmpty;
}

int Member::findVote(std::string_view text) const {
    for (int p = 0; p < voteCount(); ++p)
        if (teams_[static_cast<std::size_t>(p)] == text) return p;
    return -1;
}

int Member::addVote(std::string_view text) {
    if (findVote(text) >= 0) return kAlreadyVoted;
    if (!appendVote(text)) return kVotesFull;
    return voteCount() - 1;
}

int Member::insertVote(int position, std::string_view text) {
    if (voteCount() >= kMaxVotes) return kVotesFull;
    if (position < 0 || position > voteCount()) return voteCount();
    teams_.insert(teams_.begin() + position, TextField(text));
    return voteCount();
}

int Member::removeVote(int position) {
    if (position >= 0 && position < voteCount()) teams_.erase(teams_.begin() + position);
    return voteCount();
}

bool Member::appendVote(std::string_view text) {
    if (voteCount() >= kMaxVotes) return false;
    teams_.emplace_back(text);
    return true;
}

}  // namespace scorvale
