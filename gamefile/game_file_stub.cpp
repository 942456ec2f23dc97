// TEMPORARY stand-in for the game file layer so the program links before the
// real reader and writer land. It knows only the lines the window needs
// (title, password, team results, member votes). Built only while
// gamefile/game_file.cpp is absent; delete it when that file arrives.
#include <charconv>
#include <cstdio>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"

namespace scorvale {

std::string scrambleLine(std::string_view text) {
    std::string out;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte == '\n') {
            out += '\n';
            continue;
        }
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", byte);
        out += static_cast<char>(digits[0] + 10);
        out += static_cast<char>(digits[1] + 20);
    }
    return out;
}

std::string unscrambleLine(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\n') {
            out += '\n';
            ++i;
            continue;
        }
        auto digit = [](int d) { return d >= 97 ? d - 87 : d - 48; };
        const int d1 = digit(static_cast<unsigned char>(text[i]) - 10);
        const int d2 = i + 1 < text.size() ? digit(static_cast<unsigned char>(text[i + 1]) - 20) : 0;
        out += static_cast<char>((d1 * 16 + d2) & 0xFF);
        i += 2;
    }
    return out;
}

std::string gameFileText(const Game& game) {
    std::string s = "[G_NAME]" + game.settings.name + "\n";
    s += "[G_PASS]" + std::to_string(game.settings.password) + "\n[G_END]\n";
    for (const Team& t : game.teams()) {
        s += "[T_NAME]" + t.name.str() + "\n[T_WIN]" + std::to_string(t.wins) + "\n[T_LOSE]" +
             std::to_string(t.losses) + "\n[T_DRAW]" + std::to_string(t.draws) + "\n[T_PROFIT]" +
             std::to_string(t.goalDiff) + "\n[T_GROUP]" + t.group.str() + "\n[T_END]\n";
    }
    for (const Member& m : game.members()) {
        s += "[M_NAME]" + m.name.str() + "\n";
        for (const TextField& v : m.votes()) s += "[M_TEAM]" + v.str() + "\n";
        s += "[M_END]\n";
    }
    return s + "[ALL_END]\n";
}

std::string gameFileBytes(const Game& game) {
    std::string out;
    const std::string text = gameFileText(game);
    for (const char ch : scrambleLine(text)) {
        if (ch == '\n') out += '\r';
        out += ch;
    }
    return out;
}

namespace {
bool take(std::string_view line, std::string_view tag, std::string& value) {
    if (line.substr(0, tag.size()) != tag) return false;
    value = std::string(line.substr(tag.size()));
    return true;
}
std::int32_t number(const std::string& s) {
    std::int32_t v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;
}
}  // namespace

void loadGameBytes(Game& game, std::string_view bytes, unsigned flags) {
    std::vector<std::string> lines;
    bool plain = false;
    std::string cur;
    auto flush = [&] {
        if (!cur.empty() && cur.back() == '\r') cur.pop_back();
        if (cur.find("[G_NAME]") != std::string::npos) plain = true;
        lines.push_back(plain ? cur : unscrambleLine(cur));
        cur.clear();
    };
    for (const char ch : bytes) {
        if (ch == '\n') flush(); else cur += ch;
    }
    if (!cur.empty()) flush();
    std::string v;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (flags & ReadSettings) {
            if (take(line, "[G_NAME]", v)) game.settings.name = v;
            if (take(line, "[G_PASS]", v)) game.settings.password = number(v);
            if (take(line, "[G_OVER]", v)) game.settings.over = number(v);
        }
        if (take(line, "[T_NAME]", v) && (flags & ReadTeams)) {
            Team t;
            t.name = v;
            for (++i; i < lines.size() && lines[i].find("[T_END]") == std::string::npos; ++i) {
                if (take(lines[i], "[T_WIN]", v)) t.wins = number(v);
                if (take(lines[i], "[T_LOSE]", v)) t.losses = number(v);
                if (take(lines[i], "[T_DRAW]", v)) t.draws = number(v);
                if (take(lines[i], "[T_PROFIT]", v)) t.goalDiff = number(v);
                if (take(lines[i], "[T_GROUP]", v)) t.group = v;
                if (take(lines[i], "[T_TWIN]", v)) t.tournamentWins = number(v);
                if (take(lines[i], "[T_OUT]", v)) t.out = number(v);
                if (take(lines[i], "[T_QUALIFY]", v)) t.qualify = number(v);
                if (take(lines[i], "[T_DATE]", v)) t.date = v;
            }
            if (game.findTeamByName(t.name.view()) < 0) game.addTeam(std::move(t));
        } else if (take(line, "[M_NAME]", v) && (flags & ReadMembers)) {
            Member m;
            m.name = v;
            for (++i; i < lines.size() && lines[i].find("[M_END]") == std::string::npos; ++i)
                if (take(lines[i], "[M_TEAM]", v)) m.appendVote(v);
                else if (take(lines[i], "[M_DATE]", v)) m.date = v;
            if (game.findMemberByName(m.name.view()) < 0) game.addMember(std::move(m));
        }
    }
}

void saveGame(const Game& game, const std::string& path) { writeFileAtomically(path, gameFileBytes(game)); }

void loadGame(Game& game, const std::string& path, unsigned flags) {
    loadGameBytes(game, readWholeFile(path), flags);
}

}  // namespace scorvale
