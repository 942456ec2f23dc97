#pragma once

#include <optional>
#include <string>

#include "model/game.h"

namespace CLI {
class App;
}

namespace scorvale::tool {

// The values HTML出力's dialog opens with, as options of the commands that
// write a page: a text given overrides what the dialog shows, the ranges
// start at all and the details off, as the dialog starts them.
class PageValues {
public:
    // `details`: offer --details (the legacy page's detail tables).
    void define(CLI::App& app, bool details);

    // Loads `file`, scores it and stores the values as the command stores them
    // after its dialog; refuses a game without a title.
    Game prepare(const std::string& file) const;

private:
    // UTF-8; unset texts keep what the dialog opens with.
    std::optional<std::string> title_;
    std::optional<std::string> date_;
    std::optional<std::string> editor_;
    int memberRange_ = 2;
    int teamRange_ = 2;
    bool details_ = false;
};

}  // namespace scorvale::tool
