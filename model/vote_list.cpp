#include "model/vote_list.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "model/text_field.h"

namespace scorvale {

VoteList& VoteList::operator=(const VoteList& other) {
    if (this == &other) return *this;
    if (other.size_ > capacity()) {
        // Exactly the room needed: a copied list seldom grows.
        heap_.reset(new char[other.size_]);
        capacity_ = other.size_;
    }
    std::memcpy(data(), other.data(), other.size_);
    size_ = other.size_;
    count_ = other.count_;
    return *this;
}

VoteList& VoteList::operator=(VoteList&& other) noexcept {
    if (this == &other) return *this;
    if (other.heap_) {
        heap_ = std::move(other.heap_);
        capacity_ = other.capacity_;
    } else {
        heap_.reset();
        std::memcpy(inline_, other.inline_, other.size_);
    }
    size_ = other.size_;
    count_ = other.count_;
    other.clear();
    other.capacity_ = 0;
    return *this;
}

void VoteList::reserve(std::size_t bytes) {
    if (bytes <= capacity()) return;
    const std::size_t room = std::max(bytes, 2 * capacity());
    std::unique_ptr<char[]> grown(new char[room]);
    std::memcpy(grown.get(), data(), size_);
    heap_ = std::move(grown);
    capacity_ = static_cast<std::uint16_t>(room);
}

std::size_t VoteList::offsetOf(int slot) const {
    const char* bytes = data();
    std::size_t at = 0;
    for (int s = 0; s < slot; ++s) at += 1 + static_cast<unsigned char>(bytes[at]);
    return at;
}

std::string_view VoteList::operator[](int slot) const {
    if (slot < 0 || slot >= count_) return std::string_view("", 0);
    const std::size_t at = offsetOf(slot);
    return {data() + at + 1, static_cast<unsigned char>(data()[at])};
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
    return insert(count_, text);
}

bool VoteList::insert(int position, std::string_view text) {
    if (count_ >= kMaxVotes) return false;
    if (position < 0 || position > count_) return true;
    text = fieldText(text);
    // A vote of this very list lies in the block that is about to shift or
    // be regrown: take it out first (a field's text fits on the stack).
    char own[TextField::kMaxBytes];
    const std::less<const char*> before;  // a total order, also for unrelated pointers
    if (!text.empty() && !before(text.data(), data()) && before(text.data(), data() + size_)) {
        std::memcpy(own, text.data(), text.size());
        text = std::string_view(own, text.size());
    }
    const std::size_t at = position == count_ ? size_ : offsetOf(position);
    const std::size_t piece = 1 + text.size();
    reserve(size_ + piece);
    char* bytes = data();
    std::memmove(bytes + at + piece, bytes + at, size_ - at);
    bytes[at] = static_cast<char>(text.size());
    if (!text.empty()) std::memcpy(bytes + at + 1, text.data(), text.size());
    size_ = static_cast<std::uint16_t>(size_ + piece);
    ++count_;
    return true;
}

void VoteList::erase(int slot) {
    if (slot < 0 || slot >= count_) return;
    const std::size_t at = offsetOf(slot);
    const std::size_t piece = 1 + static_cast<unsigned char>(data()[at]);
    char* bytes = data();
    std::memmove(bytes + at, bytes + at + piece, size_ - at - piece);
    size_ = static_cast<std::uint16_t>(size_ - piece);
    --count_;
}

}  // namespace scorvale
