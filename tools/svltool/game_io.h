#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gamefile/safe_file.h"
#include "imports/names_file.h"
#include "model/game.h"

namespace scorvale::tool {

// The file's lines as the reader sees them: scrambled lines decoded until the
// first raw line holding the game name tag, plain lines from there on; CR LF ends.
std::string plainFileText(std::string_view bytes);

// Reads `path`, refusing a file that holds no game (holdsGame), an empty one too.
std::string readGameFile(const std::string& path);

// A new load as the Load command does it, with or without its scoring and
// ordering by rank.
Game loadNew(const std::string& path, bool scoreAndRank);

// The aliases of the names file at `path` (--names); a line that is not two
// names ends the command as a BadFileError naming it.
std::vector<imports::NameAlias> readNamesFile(const std::string& path);

// Writes to `out` through the safe writer, or to standard output when it is empty.
void writeOutput(const std::string& out, std::string_view bytes);
// The same for output made piece by piece (see writeFileAtomically).
void writeOutput(const std::string& out, const std::function<void(const ByteSink&)>& produce);

}  // namespace scorvale::tool
