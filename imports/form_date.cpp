#include "imports/form_date.h"

#include <algorithm>
#include <cstdio>

#include "text/normalize.h"

namespace scorvale::imports {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Reads the text left to right; every step either consumes what it names
// or leaves the position where it was.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool atEnd() const { return at_ == text_.size(); }

    // A number of `minDigits` to `maxDigits` digits.
    std::optional<int> number(std::size_t minDigits, std::size_t maxDigits) {
        std::size_t end = at_;
        while (end < text_.size() && isDigit(text_[end]) && end - at_ < maxDigits) ++end;
        if (end - at_ < minDigits || (end < text_.size() && isDigit(text_[end]))) return std::nullopt;
        int value = 0;
        for (std::size_t k = at_; k < end; ++k) value = value * 10 + (text_[k] - '0');
        at_ = end;
        return value;
    }

    bool skip(std::string_view word) {
        if (text_.substr(at_).starts_with(word)) {
            at_ += word.size();
            return true;
        }
        return false;
    }

    // One of the characters of `set`, returned; or 0.
    char oneOf(std::string_view set) {
        if (at_ < text_.size() && set.find(text_[at_]) != std::string_view::npos) return text_[at_++];
        return 0;
    }

    bool blanks() {
        const std::size_t from = at_;
        while (at_ < text_.size() && isBlank(text_[at_])) ++at_;
        return at_ > from;
    }

    std::size_t position() const { return at_; }
    void rewind(std::size_t to) { at_ = to; }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

struct Ymd {
    int year = 0;
    int month = 0;
    int day = 0;
};

bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool exists(const Ymd& d) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d.month < 1 || d.month > 12 || d.day < 1) return false;
    const int days = kDays[d.month - 1] + (d.month == 2 && isLeap(d.year) ? 1 : 0);
    return d.day <= days;
}

std::optional<Ymd> datePart(Reader& in) {
    const std::size_t start = in.position();
    if (const auto year = in.number(4, 4)) {
        if (in.skip("年")) {
            const auto month = in.number(1, 2);
            if (!month || !in.skip("月")) return std::nullopt;
            const auto day = in.number(1, 2);
            if (!day || !in.skip("日")) return std::nullopt;
            return Ymd{*year, *month, *day};
        }
        const char sep = in.oneOf("/-.");
        if (sep == 0) return std::nullopt;
        const auto month = in.number(1, 2);
        if (!month || !in.skip(std::string_view(&sep, 1))) return std::nullopt;
        const auto day = in.number(1, 2);
        if (!day) return std::nullopt;
        return Ymd{*year, *month, *day};
    }
    in.rewind(start);
    const auto month = in.number(1, 2);
    if (!month) return std::nullopt;
    const char sep = in.oneOf("/-.");
    if (sep == 0) return std::nullopt;
    const auto day = in.number(1, 2);
    if (!day || !in.skip(std::string_view(&sep, 1))) return std::nullopt;
    const auto year = in.number(4, 4);
    if (!year) return std::nullopt;
    return Ymd{*year, *month, *day};
}

bool meridiem(Reader& in) {
    // Case-folded by the normalisation.
    return in.skip("am") || in.skip("pm") || in.skip("a.m.") || in.skip("p.m.") || in.skip("午前") ||
           in.skip("午後");
}

// "12:34", "12:34:56.789", with a meridiem before or after and an offset.
bool timePart(Reader& in) {
    if (meridiem(in)) in.blanks();
    const auto hour = in.number(1, 2);
    if (!hour || *hour > 24 || !in.skip(":")) return false;
    const auto minute = in.number(2, 2);
    if (!minute || *minute > 59) return false;
    if (in.skip(":")) {
        const auto second = in.number(2, 2);
        if (!second || *second > 60) return false;
        if (in.oneOf(".,") && !in.number(1, 9)) return false;
    }
    const std::size_t beforeBlanks = in.position();
    in.blanks();
    if (!meridiem(in)) in.rewind(beforeBlanks);
    in.blanks();
    // "Z", or a zone name an offset may follow.
    if (!in.skip("z") && !in.skip("utc")) in.skip("gmt");
    if (in.oneOf("+-")) {
        if (!in.number(1, 4)) return false;
        if (in.skip(":") && !in.number(2, 2)) return false;
    }
    return in.atEnd();
}

// The text as normalizeName gives it; plain ASCII, as most timestamps are,
// needs only the case folded.
std::string folded(std::string_view utf8) {
    const bool ascii =
        std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) return text::normalizeName(utf8);
    std::string out(text::trimSpaces(utf8));
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

std::optional<std::string> formDate(std::string_view utf8) {
    const std::string text = folded(utf8);
    Reader in(text);
    const auto date = datePart(in);
    if (!date || !exists(*date)) return std::nullopt;
    if (!in.atEnd()) {
        const bool blank = in.blanks();
        if (!blank && !in.skip("t")) return std::nullopt;
        if (!timePart(in)) return std::nullopt;
    }
    char out[40];
    std::snprintf(out, sizeof out, "%02d/%02d/%02d", date->year % 100, date->month, date->day);
    return std::string(out);
}

}  // namespace scorvale::imports
