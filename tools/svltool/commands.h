#pragma once

#include <optional>
#include <stdexcept>
#include <functional>
#include <string>

#include "gamefile/safe_file.h"
#include "model/game.h"

namespace scorvale::tool {

// A file that exists and reads but holds no game. Ends the command like a
// FileError (exit status 1).
class BadFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An option value that cannot be used (exit status 2, like wrong usage).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's lines as the reader sees them: scrambled lines decoded until the
// first raw line holding "[G_NAME]", plain lines from there on; CR LF ends.
std::string plainFileText(std::string_view bytes);

// Reads `path`, refusing a file in which no line carries the game name tag.
std::string readGameFile(const std::string& path);

// A new load as the Load command does it, with or without its scoring and
// ordering by rank.
Game loadNew(const std::string& path, bool scoreAndRank);

// Writes to `out`, or to standard output when it is empty.
void writeOutput(const std::string& out, std::string_view bytes);
// The same for output made piece by piece (see writeFileAtomically).
void writeOutput(const std::string& out, const std::function<void(const ByteSink&)>& produce);

std::string standingsTsv(const Game& game);
std::string standingsJson(const Game& game);

// The report dialog's choices; unset texts keep what the dialog opens with.
// Texts are UTF-8.
struct ReportOptions {
    std::optional<std::string> title;
    std::optional<std::string> date;
    std::optional<std::string> editor;
    int memberRange = 2;
    int teamRange = 2;
    bool details = false;
};
// What the HTML output command does after the dialog: fill, score, store,
// write. Throws BadFileError for a game without a title (nothing written).
void writeReport(Game& game, const ReportOptions& options, const std::string& out);

}  // namespace scorvale::tool
