#include "tests/support/literal_game_file.h"

#include <cstdint>
#include <vector>

namespace scorvale::literal {

namespace {

int digit(int d) { return d >= 97 ? d - 87 : d - 48; }

std::string unscramble(const std::string& text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\n') {
            out += '\n';
            i += 1;
        } else if (i + 1 < text.size() && text[i + 1] != '\n') {
            const int d1 = static_cast<unsigned char>(text[i]) - 10;
            const int d2 = static_cast<unsigned char>(text[i + 1]) - 20;
            out += static_cast<char>((digit(d1) * 16 + digit(d2)) & 0xFF);
            i += 2;
        } else {
            i += 1;  // unpaired last character
        }
    }
    return out;
}

bool carries(const std::string& line, const std::string& tag) { return line.find(tag) != std::string::npos; }

// Removes every occurrence of the tag; the remainder is the value.
std::string takeValue(std::string& line, const std::string& tag) {
    std::string out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = line.find(tag, from);
        if (at == std::string::npos) break;
        out += line.substr(from, at - from);
        from = at + tag.size();
    }
    out += line.substr(from);
    line = out;
    return line;
}

std::int32_t number(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\v' ||
                               text[i] == '\f' || text[i] == '\r'))
        i++;
    int sign = 1;
    if (i < text.size() && text[i] == '-') {
        sign = -1;
        i++;
    } else if (i < text.size() && text[i] == '+') {
        i++;
    }
    long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        if (value > 10000000000LL) value = 10000000000LL;
        i++;
    }
    value *= sign;
    if (value > 2147483647LL) return 2147483647;
    if (value < -2147483648LL) return -2147483647 - 1;
    return static_cast<std::int32_t>(value);
}

std::string crBack(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); i++) {
        if (text.compare(i, 4, "<CR>") == 0) {
            out += "\r\n";
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

void removeLineFeeds(std::string& line) {
    std::string out;
    for (char c : line)
        if (c != '\n') out += c;
    line = out;
}

}  // namespace

void loadGameBytes(Game& game, std::string_view bytes, unsigned flags) {
    if (bytes.empty()) return;

    // Phase 1: the lines, each with its line feed; CR LF is read as a line feed.
    std::vector<std::string> lines;
    std::string current;
    bool scrambled = true;
    auto addLine = [&](std::string line) {
        if (carries(line, "[G_NAME]")) scrambled = false;
        if (scrambled) line = unscramble(line);
        lines.push_back(line);
    };
    for (std::size_t i = 0; i < bytes.size(); i++) {
        if (bytes[i] == '\n') {
            if (!current.empty() && current.back() == '\r') current.pop_back();
            addLine(current + "\n");
            current.clear();
        } else {
            current += bytes[i];
        }
    }
    if (!current.empty()) addLine(current);

    // Phase 2.
    GameSettings& s = game.settings;
    ReportSettings& r = game.report;
    std::size_t i = 0;
    while (i < lines.size()) {
        removeLineFeeds(lines[i]);
        if (flags & 0x001) {
            std::string& l = lines[i];
            if (carries(l, "[G_NAME]")) s.name = takeValue(l, "[G_NAME]");
            if (carries(l, "[G_WINNER]")) s.winPoints = number(takeValue(l, "[G_WINNER]"));
            if (carries(l, "[G_LOSER]")) s.losePoints = number(takeValue(l, "[G_LOSER]"));
            if (carries(l, "[G_DRAW]")) s.drawPoints = number(takeValue(l, "[G_DRAW]"));
            if (carries(l, "[G_TWINNER]")) s.tournamentWinPoints = number(takeValue(l, "[G_TWINNER]"));
            if (carries(l, "[G_MAXBET]")) s.maxBet = number(takeValue(l, "[G_MAXBET]"));
            if (carries(l, "[G_RATE]")) s.rate = number(takeValue(l, "[G_RATE]"));
            if (carries(l, "[G_1BONUS]")) s.bonus1 = number(takeValue(l, "[G_1BONUS]"));
            if (carries(l, "[G_2BONUS]")) s.bonus2 = number(takeValue(l, "[G_2BONUS]"));
            if (carries(l, "[G_3BONUS]")) s.bonus3 = number(takeValue(l, "[G_3BONUS]"));
            if (carries(l, "[G_QBONUS]")) s.qualifyBonus = number(takeValue(l, "[G_QBONUS]"));
            if (carries(l, "[G_OVER]")) s.over = number(takeValue(l, "[G_OVER]"));
            if (carries(l, "[G_DATE]")) s.date = takeValue(l, "[G_DATE]");
            if (carries(l, "[G_PASS]")) s.password = number(takeValue(l, "[G_PASS]"));
            if (carries(l, "[R_EDITOR]")) r.editor = takeValue(l, "[R_EDITOR]");
            if (carries(l, "[R_HEAD]")) r.head = crBack(takeValue(l, "[R_HEAD]"));
            if (carries(l, "[R_FOOT]")) r.foot = crBack(takeValue(l, "[R_FOOT]"));
            if (carries(l, "[R_BIMG]")) r.backgroundImage = takeValue(l, "[R_BIMG]");
            if (carries(l, "[R_TIMG]")) r.topImage = takeValue(l, "[R_TIMG]");
            if (carries(l, "[R_LIMG]")) r.leftImage = takeValue(l, "[R_LIMG]");
            if (carries(l, "[R_RIMG]")) r.rightImage = takeValue(l, "[R_RIMG]");
        }
        if (carries(lines[i], "[T_NAME]")) {
            const std::string name = takeValue(lines[i], "[T_NAME]");
            if (flags & 0x010) {
                Team t;
                t.name = name;
                for (;;) {
                    i++;
                    if (i >= lines.size()) break;
                    removeLineFeeds(lines[i]);
                    std::string& l = lines[i];
                    if (carries(l, "[T_WIN]")) t.wins = number(takeValue(l, "[T_WIN]"));
                    if (carries(l, "[T_LOSE]")) t.losses = number(takeValue(l, "[T_LOSE]"));
                    if (carries(l, "[T_DRAW]")) t.draws = number(takeValue(l, "[T_DRAW]"));
                    if (carries(l, "[T_TWIN]")) t.tournamentWins = number(takeValue(l, "[T_TWIN]"));
                    if (carries(l, "[T_PROFIT]")) t.goalDiff = number(takeValue(l, "[T_PROFIT]"));
                    if (carries(l, "[T_DATE]")) t.date = takeValue(l, "[T_DATE]");
                    if (carries(l, "[T_SYMBOL]")) t.symbol = takeValue(l, "[T_SYMBOL]");
                    if (carries(l, "[T_GROUP]")) t.group = takeValue(l, "[T_GROUP]");
                    if (carries(l, "[T_OUT]")) t.out = number(takeValue(l, "[T_OUT]"));
                    if (carries(l, "[T_QUALIFY]")) t.qualify = number(takeValue(l, "[T_QUALIFY]"));
                    if (carries(l, "[T_END]")) break;
                }
                bool found = false;
                for (int k = 0; k < game.teamCount(); k++)
                    if (game.teamAt(k).name.str() == t.name.str()) found = true;
                if (!found) game.addTeam(t);
                if (i >= lines.size()) break;
            }
        }
        if (carries(lines[i], "[M_NAME]")) {
            const std::string name = takeValue(lines[i], "[M_NAME]");
            if (flags & 0x100) {
                Member m;
                m.name = name;
                for (;;) {
                    i++;
                    if (i >= lines.size()) break;
                    removeLineFeeds(lines[i]);
                    std::string& l = lines[i];
                    if (carries(l, "[M_TEAM]")) m.appendVote(takeValue(l, "[M_TEAM]"));
                    if (carries(l, "[M_DATE]")) m.date = takeValue(l, "[M_DATE]");
                    if (carries(l, "[M_SYMBOL]")) m.symbol = takeValue(l, "[M_SYMBOL]");
                    if (carries(l, "[M_END]")) break;
                }
                bool found = false;
                for (int k = 0; k < game.memberCount(); k++)
                    if (game.memberAt(k).name.str() == m.name.str()) found = true;
                if (!found) game.addMember(m);
                if (i >= lines.size()) break;
            }
        }
        if (carries(lines[i], "[ALL_END]")) break;
        i++;
    }
}

}  // namespace scorvale::literal
