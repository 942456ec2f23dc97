#include "imports/import_error.h"

namespace scorvale::imports {

namespace {

std::string describe(ImportError::Place place, int number, const std::string& name) {
    switch (place) {
        case ImportError::Place::Match:
            return "match " + std::to_string(number);
        case ImportError::Place::Line:
            return "line " + std::to_string(number);
        case ImportError::Place::Team:
            return "team " + quoteText(name);
        case ImportError::Place::File:
            break;
    }
    return {};
}

std::string message(ImportError::Place place, int number, const std::string& name, const std::string& reason) {
    const std::string where = describe(place, number, name);
    return where.empty() ? reason : where + ": " + reason;
}

}  // namespace

ImportError::ImportError(Place place, int number, std::string name, std::string reason)
    : std::runtime_error(message(place, number, name, reason)),
      place_(place),
      number_(number),
      name_(std::move(name)),
      reason_(std::move(reason)) {}

std::string ImportError::placeText() const { return describe(place_, number_, name_); }

std::string quoteText(std::string_view utf8) { return '"' + visibleText(utf8) + '"'; }

std::string visibleText(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (byte < 0x20 || byte == 0x7F)
            out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
        else
            out += c;
    }
    return out;
}

}  // namespace scorvale::imports
