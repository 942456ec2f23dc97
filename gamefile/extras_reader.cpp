#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>
#include <optional>

#include "gamefile/extra_lines.h"
#include "gamefile/file_lines.h"
#include "gamefile/pair_decoder.h"

namespace scorvale::gamefile {

namespace {

// The lines of `bytes`, each decoded. Scrambled text never holds '[', so a raw
// line that starts with one is plain (a file typed by hand); any other is
// scrambled. CR LF and LF end a line; an unpaired last character and decoded
// line feeds are dropped, as the game's own reader does.
class Lines {
public:
    explicit Lines(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::string_view> next() {
        if (pos_ >= bytes_.size()) return std::nullopt;
        std::string_view raw = bytes_.substr(pos_);
        const std::size_t lf = raw.find('\n');
        if (lf != std::string_view::npos) raw = raw.substr(0, lf);
        pos_ += raw.size() + 1;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        if (!raw.empty() && raw.front() == '[') return raw;
        buffer_.resize(raw.size() / 2);
        detail::decodePairs(raw.data(), buffer_.size(), buffer_.data());
        if (std::memchr(buffer_.data(), '\n', buffer_.size()) != nullptr) std::erase(buffer_, '\n');
        return std::string_view(buffer_);
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::string buffer_;
};

// A whole number as the writer writes it: an optional '-' and digits, nothing
// else, within 32 bits.
std::optional<std::int32_t> number(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<bool> flag(std::string_view text) {
    const auto n = number(text);
    if (!n || (*n != 0 && *n != 1)) return std::nullopt;
    return *n == 1;
}

// A "%y/%m/%d" date naming a day of the calendar, as a number that orders
// like the text does.
std::optional<int> dayKey(std::string_view date) {
    if (date.size() != 8 || date[2] != '/' || date[5] != '/') return std::nullopt;
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const char hi = date[3 * i], lo = date[3 * i + 1];
        if (hi < '0' || hi > '9' || lo < '0' || lo > '9') return std::nullopt;
        parts[i] = (hi - '0') * 10 + (lo - '0');
    }
    const int year = 2000 + parts[0], month = parts[1], day = parts[2];
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1) return std::nullopt;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (day > kDays[month - 1] + (month == 2 && leap ? 1 : 0)) return std::nullopt;
    return parts[0] * 10000 + month * 100 + day;
}

std::optional<RecordedResults> teamResults(std::string_view value) {
    RecordedResults team;
    for (const auto field : kRecordedNumbers) {
        const std::size_t comma = value.find(',');
        if (comma == std::string_view::npos) return std::nullopt;
        const auto n = number(value.substr(0, comma));
        if (!n) return std::nullopt;
        team.*field = *n;
        value.remove_prefix(comma + 1);
    }
    team.name = value;
    return team;
}

// The value after `tag` when the line starts with it.
std::optional<std::string_view> valueAfter(std::string_view line, ExtraTag tag) {
    const std::string_view text = extraTag(tag);
    if (!line.starts_with(text)) return std::nullopt;
    return line.substr(text.size());
}

// A day while its lines are read. It is kept only when it ends with its end
// line, every one of its lines was sound and the count of teams agrees: a
// day missing a team would give wrong standings, so a damaged day is dropped
// whole rather than kept in part.
struct OpenDay {
    HistoryDay day;
    std::optional<int> key;
    bool sound = true;
};

}  // namespace

void readExtraLines(Game& game, std::string_view bytes) {
    PageChoice page;
    // Each date once, the later block winning; at most one entry a calendar
    // day, however many blocks the file repeats.
    std::map<int, HistoryDay> days;
    std::optional<OpenDay> open;
    Lines lines(bytes);
    while (const auto line = lines.next()) {
        if (line->size() < 3 || (*line)[0] != '[') continue;
        if (const auto v = valueAfter(*line, ExtraTag::team)) {
            if (!open) continue;
            if (auto team = teamResults(*v)) open->day.teams.push_back(std::move(*team));
            else open->sound = false;
        } else if (const auto v = valueAfter(*line, ExtraTag::day)) {
            // A day left open by the one before is unfinished: dropped.
            open.emplace();
            open->day.date = *v;
            open->key = dayKey(*v);
        } else if (const auto v = valueAfter(*line, ExtraTag::fixed)) {
            if (!open) continue;
            if (const auto fixed = flag(*v)) open->day.rankingFixed = *fixed;
            else open->sound = false;
        } else if (const auto v = valueAfter(*line, ExtraTag::dayEnd)) {
            if (!open) continue;
            const auto count = number(*v);
            if (open->sound && open->key && count && *count >= 0 &&
                static_cast<std::size_t>(*count) == open->day.teams.size())
                days.insert_or_assign(*open->key, std::move(open->day));
            open.reset();
        } else if (const auto v = valueAfter(*line, ExtraTag::page)) {
            // A kind this version does not know leaves the page it always wrote.
            if (const auto n = number(*v))
                for (const auto kind : {PageChoice::Kind::legacy, PageChoice::Kind::phone})
                    if (*n == static_cast<std::int32_t>(kind)) page.kind = kind;
        } else if (const auto v = valueAfter(*line, ExtraTag::picture)) {
            if (const auto picture = flag(*v)) page.picture = *picture;
        }
        // Any other line, a tag of a later version among them, is skipped.
    }
    ResultsHistory history;
    // In date order, so each day goes at the end.
    for (auto& [key, day] : days) history.setDay(std::move(day));
    game.history = std::move(history);
    game.page = page;
}

}  // namespace scorvale::gamefile
