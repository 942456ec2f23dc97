#pragma once

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

namespace scorvale {

// The ordered team names of one member's votes, kept in a single block: each
// vote is a length byte followed by its bytes. Votes obey the TextField
// rules (cut at a NUL and to 127 bytes), so a length always fits in a byte.
// One allocation a member instead of one string object a vote keeps big
// pools small and their loads and passes fast.
class VoteList {
public:
    static constexpr int kMaxVotes = 64;

    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        Iterator() = default;
        explicit Iterator(const char* at) : at_(at) {}
        std::string_view operator*() const { return {at_ + 1, static_cast<unsigned char>(*at_)}; }
        Iterator& operator++() {
            at_ += 1 + static_cast<unsigned char>(*at_);
            return *this;
        }
        Iterator operator++(int) {
            Iterator old = *this;
            ++*this;
            return old;
        }
        friend bool operator==(Iterator a, Iterator b) { return a.at_ == b.at_; }

    private:
        const char* at_ = nullptr;
    };

    int size() const { return count_; }
    bool empty() const { return count_ == 0; }
    Iterator begin() const { return Iterator(bytes_.data()); }
    Iterator end() const { return Iterator(bytes_.data() + bytes_.size()); }

    // The vote in `slot`; empty outside 0..size()-1.
    std::string_view operator[](int slot) const;
    // First position holding `text`, or -1.
    int find(std::string_view text) const;

    // Append or insert `text` (cut to the field rules); false when the list
    // already holds kMaxVotes votes. An insert position outside 0..size()
    // changes nothing and reports true.
    bool append(std::string_view text);
    bool insert(int position, std::string_view text);
    // Removes the vote in `slot`; a slot outside the list changes nothing.
    void erase(int slot);
    // Empties the list and keeps its room.
    void clear() {
        bytes_.clear();
        count_ = 0;
    }
    void reserveBytes(std::size_t bytes) { bytes_.reserve(bytes); }

    // The block, for prefetching.
    const char* data() const { return bytes_.data(); }
    std::size_t byteSize() const { return bytes_.size(); }

    friend bool operator==(const VoteList&, const VoteList&) = default;

private:
    // Offset of the length byte of `slot` (size() gives the block's end).
    std::size_t offsetOf(int slot) const;

    std::string bytes_;
    std::uint8_t count_ = 0;
};

}  // namespace scorvale
