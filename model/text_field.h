#pragma once

#include <string>
#include <string_view>

namespace scorvale {

// True for the first byte of a two-byte Shift-JIS character.
constexpr bool isShiftJisLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length of the longest prefix of `text` that holds at most `maxBytes`
// bytes and does not end between the two bytes of a double-byte character.
std::size_t shiftJisPrefixLength(std::string_view text, std::size_t maxBytes);

// The part of `text` a TextField keeps: up to the first NUL, then at most
// TextField::kMaxBytes bytes cut at a character boundary.
std::string_view fieldText(std::string_view text);

// A short Shift-JIS text of a team or member record. It never holds more than
// kMaxBytes bytes: a longer text is cut at a character boundary. Like the
// zero-terminated field it stands for, it ends at the first NUL byte.
class TextField {
public:
    static constexpr std::size_t kMaxBytes = 127;

    TextField() = default;
    TextField(std::string_view text) { assign(text); }  // NOLINT: implicit on purpose

    TextField& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    const std::string& str() const { return text_; }
    std::string_view view() const { return text_; }
    bool empty() const { return text_.empty(); }
    std::size_t size() const { return text_.size(); }

    friend bool operator==(const TextField& a, const TextField& b) = default;
    friend bool operator==(const TextField& a, std::string_view b) { return a.view() == b; }

private:
    void assign(std::string_view text) { text_.assign(fieldText(text)); }

    std::string text_;
};

}  // namespace scorvale
