#include "model/vote_list.h"

#include "model/text_field.h"

namespace scorvale {

std::size_t VoteList::offsetOf(int slot) const {
    std::size_t at = 0;
    for (int s = 0; s < slot; ++s) at += 1 + static_cast<unsigned char>(bytes_[at]);
    return at;
}

std::string_view VoteList::operator[](int slot) const {
    if (slot < 0 || slot >= count_) return {};
    const std::size_t at = offsetOf(slot);
    return {bytes_.data() + at + 1, static_cast<unsigned char>(bytes_[at])};
}

int VoteList::find(std::string_view text) const {
    int slot = 0;
    for (const std::string_view vote : *this) {
        if (vote == text) return slot;
        ++slot;
    }
    return -1;
}

bool VoteList::append(std::string_view text) {
    if (count_ >= kMaxVotes) return false;
    text = fieldText(text);
    bytes_ += static_cast<char>(text.size());
    bytes_.append(text);
    ++count_;
    return true;
}

bool VoteList::insert(int position, std::string_view text) {
    if (count_ >= kMaxVotes) return false;
    if (position < 0 || position > count_) return true;
    text = fieldText(text);
    const std::size_t at = offsetOf(position);
    bytes_.insert(at, 1, static_cast<char>(text.size()));
    bytes_.insert(at + 1, text);
    ++count_;
    return true;
}

void VoteList::erase(int slot) {
    if (slot < 0 || slot >= count_) return;
    const std::size_t at = offsetOf(slot);
    bytes_.erase(at, 1 + static_cast<unsigned char>(bytes_[at]));
    --count_;
}

}  // namespace scorvale
