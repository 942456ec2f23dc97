#include "tests/support/literal_game_file.h"

#include <cstdint>
#include <vector>

#include "gamefile/file_lines.h"

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
        if (carries(line, std::string(gamefile::kGameNameTag))) scrambled = false;
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
    using namespace gamefile;
    const std::string teamName(teamLine(TeamTag::name).tag), teamEnd(teamLine(TeamTag::end).tag);
    const std::string memberName(memberLine(MemberTag::name).tag), memberEnd(memberLine(MemberTag::end).tag);
    std::size_t i = 0;
    while (i < lines.size()) {
        removeLineFeeds(lines[i]);
        if (flags & 0x001) {
            std::string& l = lines[i];
            for (const SettingsLine& line : kSettingsLines) {
                const std::string tag(line.tag);
                if (!carries(l, tag)) continue;
                const std::string value = takeValue(l, tag);
                if (line.kind == LineKind::number) game.settings.*line.number = number(value);
                else if (line.kind == LineKind::multiLine) settingsText(game, line) = crBack(value);
                else settingsText(game, line) = value;
            }
        }
        if (carries(lines[i], teamName)) {
            const std::string name = takeValue(lines[i], teamName);
            if (flags & 0x010) {
                Team t;
                t.name = name;
                for (;;) {
                    i++;
                    if (i >= lines.size()) break;
                    removeLineFeeds(lines[i]);
                    std::string& l = lines[i];
                    for (const TeamTag id : kTeamReadOrder) {
                        const TeamLine& line = teamLine(id);
                        const std::string tag(line.tag);
                        if (!carries(l, tag)) continue;
                        const std::string value = takeValue(l, tag);
                        if (line.kind == LineKind::number) t.*line.number = number(value);
                        else t.*line.text = value;
                    }
                    if (carries(l, teamEnd)) break;
                }
                bool found = false;
                for (int k = 0; k < game.teamCount(); k++)
                    if (game.teamAt(k).name.str() == t.name.str()) found = true;
                if (!found) game.addTeam(t);
                if (i >= lines.size()) break;
            }
        }
        if (carries(lines[i], memberName)) {
            const std::string name = takeValue(lines[i], memberName);
            if (flags & 0x100) {
                Member m;
                m.name = name;
                for (;;) {
                    i++;
                    if (i >= lines.size()) break;
                    removeLineFeeds(lines[i]);
                    std::string& l = lines[i];
                    for (const MemberTag id : kMemberReadOrder) {
                        const MemberLine& line = memberLine(id);
                        const std::string tag(line.tag);
                        if (!carries(l, tag)) continue;
                        const std::string value = takeValue(l, tag);
                        if (line.kind == LineKind::vote) m.appendVote(value);
                        else m.*line.text = value;
                    }
                    if (carries(l, memberEnd)) break;
                }
                bool found = false;
                for (int k = 0; k < game.memberCount(); k++)
                    if (game.memberAt(k).name.str() == m.name.str()) found = true;
                if (!found) game.addMember(m);
                if (i >= lines.size()) break;
            }
        }
        if (carries(lines[i], std::string(kFileEnd))) break;
        i++;
    }
}

}  // namespace scorvale::literal
