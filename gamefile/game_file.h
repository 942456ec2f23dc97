#pragma once

#include <string>
#include <string_view>

#include "gamefile/safe_file.h"
#include "model/game.h"

namespace scorvale {

// Which parts of a game file a load applies.
enum LoadFlags : unsigned {
    NoLoadFlags = 0,
    ReadSettings = 0x001,
    ReadTeams = 0x010,
    ReadMembers = 0x100,
    // What the game keeps after the file's end line: the results history and
    // the page choice, replaced by the file's. A new load takes them, a merge
    // never does.
    ReadExtras = 0x1000,
    ReadAll = ReadSettings | ReadTeams | ReadMembers | ReadExtras,
};

// One line of bytes to and from the file's scrambled form (each byte as two
// shifted hex digits; line feeds stay).
std::string scrambleLine(std::string_view text);
std::string unscrambleLine(std::string_view text);

// The plain (unscrambled) lines of the file, each ending in "\n".
std::string gameFileText(const Game& game);
// The plain lines of the settings section alone: a change of the settings
// or the report texts changes the file exactly when it changes these.
std::string settingsFileText(const Game& game);
// The bytes saveGame writes: every line scrambled, CR LF line ends.
std::string gameFileBytes(const Game& game);
// The same bytes handed in order to `out`, a bounded piece at a time.
void writeGameBytes(const Game& game, const ByteSink& out);
// Applies the file's bytes to `game` under `flags`; never fails.
void loadGameBytes(Game& game, std::string_view bytes, unsigned flags);
// Whether the reader finds a game in `bytes`: a line, as it decodes them,
// that holds the game name tag, before the file's end line. Every file the
// writer makes holds one; a text, a picture or random bytes do not.
bool holdsGame(std::string_view bytes);

// Throw FileError when the file cannot be read or written.
void saveGame(const Game& game, const std::string& path);
void loadGame(Game& game, const std::string& path, unsigned flags);

}  // namespace scorvale
