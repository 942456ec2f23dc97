#include "imports/names_file.h"

#include "text/normalize.h"

namespace scorvale::imports {

std::vector<NameAlias> parseNamesFile(std::string_view bytes, text::Encoding encoding) {
    const std::string utf8 = text::decodeText(bytes, encoding).utf8;
    std::vector<NameAlias> aliases;
    std::string_view rest = utf8;
    for (std::size_t lineNumber = 1; !rest.empty(); ++lineNumber) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::string_view content = text::trimSpaces(line);
        if (content.empty() || content.starts_with('#')) continue;

        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos || line.find('\t', tab + 1) != std::string_view::npos)
            throw text::InputError({text::InputProblem::Kind::notTwoNames, lineNumber, 0, {}, 0});
        NameAlias alias{std::string(text::trimSpaces(line.substr(0, tab))),
                        std::string(text::trimSpaces(line.substr(tab + 1)))};
        if (alias.listName.empty() || alias.gameName.empty())
            throw text::InputError({text::InputProblem::Kind::emptyName, lineNumber, 0, {}, 0});
        aliases.push_back(std::move(alias));
    }
    return aliases;
}

}  // namespace scorvale::imports
