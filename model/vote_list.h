#pragma once

#include <cstdint>
#include <iterator>
#include <memory>
#include <string_view>

namespace scorvale {

// The ordered team names of one member's votes, kept in a single block: each
// vote is a length byte followed by its bytes. Votes obey the TextField
// rules (cut at a NUL and to 127 bytes), so a length always fits in a byte.
// The block lies inside the list while it fits (ten usual team names do) and
// on the heap beyond: a big pool's members are then one array, small and
// fast to load and to pass over.
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

    VoteList() = default;
    VoteList(const VoteList& other) { *this = other; }
    VoteList(VoteList&& other) noexcept { *this = std::move(other); }
    VoteList& operator=(const VoteList& other);
    VoteList& operator=(VoteList&& other) noexcept;
    ~VoteList() = default;

    int size() const { return count_; }
    bool empty() const { return count_ == 0; }
    Iterator begin() const { return Iterator(data()); }
    Iterator end() const { return Iterator(data() + size_); }

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
        size_ = 0;
        count_ = 0;
    }

    // The block, for prefetching.
    const char* data() const { return heap_ ? heap_.get() : inline_; }
    std::size_t byteSize() const { return size_; }
    // What the list holds beyond itself.
    std::size_t heapBytes() const { return heap_ ? capacity_ : 0; }

    friend bool operator==(const VoteList& a, const VoteList& b) {
        return a.count_ == b.count_ && std::string_view(a.data(), a.size_) == std::string_view(b.data(), b.size_);
    }

private:
    // Makes the list 128 bytes.
    static constexpr std::size_t kInlineBytes = 115;

    char* data() { return heap_ ? heap_.get() : inline_; }
    std::size_t capacity() const { return heap_ ? capacity_ : kInlineBytes; }
    // Room for `bytes` bytes, the block kept.
    void reserve(std::size_t bytes);
    // Offset of the length byte of `slot` (size() gives the block's end).
    std::size_t offsetOf(int slot) const;

    std::unique_ptr<char[]> heap_;
    std::uint16_t size_ = 0;      // bytes in use; 64 votes of 128 bytes fit
    std::uint16_t capacity_ = 0;  // of heap_
    std::uint8_t count_ = 0;
    char inline_[kInlineBytes];
};

}  // namespace scorvale
