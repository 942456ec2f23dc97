#include "tools/svltool/game_io.h"

#include <cstdio>

#include "gamefile/file_error.h"
#include "gamefile/file_lines.h"
#include "gamefile/game_file.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "tools/svltool/tool_errors.h"

namespace scorvale::tool {

namespace {
constexpr std::string_view kNameTag = gamefile::kGameNameTag;
}

std::string plainFileText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() / 2 + 64);
    bool plain = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!plain && line.find(kNameTag) != std::string_view::npos) plain = true;
        if (plain) {
            out += line;
        } else {
            // Decoding may yield line feeds of its own; they do not end a line here.
            std::string decoded = unscrambleLine(line);
            std::erase(decoded, '\n');
            out += decoded;
        }
        out += "\r\n";
        pos = next;
    }
    return out;
}

std::string readGameFile(const std::string& path) {
    std::string bytes = readWholeFile(path);
    if (!holdsGame(bytes)) throw BadFileError(path, "not a Scorvale game file");
    return bytes;
}

Game loadNew(const std::string& path, bool scoreAndRank) {
    const std::string bytes = readGameFile(path);
    Game game;  // the start-up values
    game.settings.name.clear();
    game.clearMembers();
    game.clearTeams();
    loadGameBytes(game, bytes, ReadAll);
    if (scoreAndRank) {
        computeStandings(game);
        sortTeams(game, TeamSortKey::rank);
        sortMembers(game, MemberSortKey::rank);
    }
    return game;
}

std::vector<imports::NameAlias> readNamesFile(const std::string& path) {
    try {
        return imports::parseNamesFile(readWholeFile(path));
    } catch (const text::InputError& e) {
        throw BadFileError(path, e.what());
    }
}

void writeOutput(const std::string& out, const std::function<void(const ByteSink&)>& produce) {
    if (!out.empty()) {
        writeFileAtomically(out, produce);
        return;
    }
    produce([](std::string_view piece) {
        if (std::fwrite(piece.data(), 1, piece.size(), stdout) != piece.size())
            throw FileError("standard output", "write failed");
    });
    if (std::fflush(stdout) != 0) throw FileError("standard output", "write failed");
}

void writeOutput(const std::string& out, std::string_view bytes) {
    writeOutput(out, [bytes](const ByteSink& write) { write(bytes); });
}

}  // namespace scorvale::tool
