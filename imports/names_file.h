#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/encoding.h"
#include "text/input_error.h"

namespace scorvale::imports {

// One line of the user's names file: a name as a list or form writes it, and
// the name of the team of the game it stands for (UTF-8, trimmed).
struct NameAlias {
    std::string listName;
    std::string gameName;

    friend bool operator==(const NameAlias&, const NameAlias&) = default;
};

// The aliases of a names file: UTF-8 or CP932 (read by decodeText), one
// "name in the list⇥name in the game" a line; blank lines and lines starting
// with '#' are skipped. Throws InputError (notTwoNames, emptyName) for a line
// without exactly two non-empty names.
std::vector<NameAlias> parseNamesFile(std::string_view bytes, text::Encoding encoding = text::Encoding::automatic);

}  // namespace scorvale::imports
