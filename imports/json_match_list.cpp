// The openfootball match list: {"name": ..., "matches": [{"round", "date",
// "team1", "team2", "group", "score": {"ft", "et", "p"}}, ...]}. Every other
// key is left alone; a match without "score" or "ft" is not played yet.
#include <algorithm>
#include <nlohmann/json.hpp>

#include "imports/match_list_readers.h"
#include "text/normalize.h"

namespace scorvale::imports {

namespace {

using nlohmann::json;

int lineAt(std::string_view text, std::size_t byte) {
    const std::size_t end = std::min(byte, text.size());
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

// "syntax error while parsing value - unexpected ','" from the parser's
// message, without its own position (the line is the error's place).
std::string parserReason(const json::exception& e) {
    const std::string what = e.what();
    const std::size_t column = what.find("column ");
    const std::size_t colon = column == std::string::npos ? std::string::npos : what.find(": ", column);
    if (colon != std::string::npos) return what.substr(colon + 2);
    const std::size_t tag = what.find("] ");  // "[json.exception.out_of_range.406] number overflow ..."
    return tag == std::string::npos ? what : what.substr(tag + 2);
}

class MatchReader {
public:
    MatchReader(const json& value, int number) : value_(value), number_(number) {}

    Match read() const {
        if (!value_.is_object()) throw fail(ImportError::Kind::matchNotAnObject);
        Match m;
        m.place = number_;
        m.round = optionalText("round");
        m.group = optionalText("group");
        m.stage = m.group.empty() ? Stage::knockout : Stage::group;
        m.team1 = team("team1");
        m.team2 = team("team2");
        const std::string date = optionalText("date");
        if (!date.empty()) {
            const std::optional<std::string> iso = isoDate(date);
            if (!iso || date.size() != 10 || date[4] != '-')
                throw fail(ImportError::Kind::badDate, {date});
            m.date = *iso;
        }
        const auto score = value_.find("score");
        if (score != value_.end() && !score->is_null()) {
            if (!score->is_object()) throw fail(ImportError::Kind::scoreNotAnObject);
            m.fullTime = goals(*score, "ft");
            if (m.fullTime) {
                m.extraTime = goals(*score, "et");
                m.penalties = goals(*score, "p");
            }
        }
        return m;
    }

private:
    ImportError fail(ImportError::Kind kind, std::vector<std::string> args = {}) const {
        return ImportError::match(number_, kind, std::move(args));
    }

    std::string optionalText(const char* key) const {
        const auto it = value_.find(key);
        if (it == value_.end() || it->is_null()) return {};
        if (!it->is_string()) throw fail(ImportError::Kind::fieldNotText, {key});
        return std::string(text::trimSpaces(it->get_ref<const std::string&>()));
    }

    std::string team(const char* key) const {
        const auto it = value_.find(key);
        if (it == value_.end() || it->is_null()) throw fail(ImportError::Kind::fieldMissing, {key});
        if (!it->is_string()) throw fail(ImportError::Kind::fieldNotText, {key});
        std::string name(text::trimSpaces(it->get_ref<const std::string&>()));
        if (name.empty()) throw fail(ImportError::Kind::fieldEmpty, {key});
        return name;
    }

    std::optional<Goals> goals(const json& score, const char* key) const {
        const auto it = score.find(key);
        if (it == score.end() || it->is_null()) return std::nullopt;
        const auto side = [&](std::size_t i) {
            const json& g = (*it)[i];
            if (!g.is_number_integer()) throw fail(ImportError::Kind::goalsNotNumber, {key});
            // The parser keeps a number without a sign unsigned, one with a minus signed.
            if (!g.is_number_unsigned()) throw fail(ImportError::Kind::goalsNegative, {key});
            if (g.get<std::uint64_t>() > kMaxGoals)
                throw fail(ImportError::Kind::goalsTooMany, {key, {}, std::to_string(kMaxGoals)});
            return static_cast<int>(g.get<std::uint64_t>());
        };
        if (!it->is_array() || it->size() != 2) throw fail(ImportError::Kind::goalsNotNumber, {key});
        return Goals{side(0), side(1)};
    }

    const json& value_;
    int number_;
};

}  // namespace

MatchList readJsonMatchList(std::string_view utf8) {
    json root;
    try {
        root = json::parse(utf8.begin(), utf8.end());
    } catch (const json::parse_error& e) {
        throw ImportError::line(lineAt(utf8, e.byte == 0 ? 0 : e.byte - 1), ImportError::Kind::jsonInvalid,
                                {parserReason(e)});
    } catch (const json::exception& e) {
        // A number too large for a double, which the parser tells without a position.
        throw ImportError::file(ImportError::Kind::jsonInvalid, {parserReason(e)});
    }
    if (!root.is_object()) throw ImportError::file(ImportError::Kind::jsonNotAnObject);
    const auto matches = root.find("matches");
    if (matches == root.end() || !matches->is_array()) throw ImportError::file(ImportError::Kind::jsonNoMatches);

    MatchList list;
    list.format = MatchListFormat::Json;
    const auto name = root.find("name");
    if (name != root.end() && name->is_string())
        list.name = std::string(text::trimSpaces(name->get_ref<const std::string&>()));
    list.matches.reserve(matches->size());
    int number = 0;
    for (const json& m : *matches) list.matches.push_back(MatchReader(m, ++number).read());
    return list;
}

}  // namespace scorvale::imports
