#include "tools/svltool/members_report.h"

#include <algorithm>

#include "text/normalize.h"

namespace scorvale::tool {

namespace {

using imports::ColumnKind;
using text::EncodingChoice;
using text::Encoding;

constexpr std::size_t kNotesListed = 5;
constexpr std::size_t kHeadingBytes = 40;

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string encodingName(const EncodingChoice& choice) {
    switch (choice.encoding) {
        case Encoding::cp932: return "CP932 (Shift-JIS)";
        case Encoding::utf16: return choice.bigEndian ? "UTF-16 (big-endian)" : "UTF-16 (little-endian)";
        default: return "UTF-8";
    }
}

std::string why(const EncodingChoice& c) {
    using Reason = EncodingChoice::Reason;
    switch (c.reason) {
        case Reason::forced: return "as --encoding says";
        case Reason::byteOrderMark: return "as its byte order mark says";
        case Reason::utf16Zeros: return "no byte order mark, but a zero byte in each ASCII character";
        case Reason::allUtf8:
            return c.utf8Characters == 0 ? "plain ASCII" : "every character is";
        case Reason::mostlyUtf8:
            return counted(c.utf8Characters, "character is", "characters are") + ", " +
                   counted(c.otherBytes, "byte is", "bytes are") + " not";
        case Reason::noUtf8:
            return counted(c.otherBytes, "byte is", "bytes are") + " not UTF-8 and no character is";
        case Reason::mostlyCp932:
            return counted(c.otherBytes, "byte is", "bytes are") + " not UTF-8, only " +
                   counted(c.utf8Characters, "character is", "characters are");
    }
    return {};
}

std::string place(const imports::CellNote& note) {
    return "line " + std::to_string(note.line) + ", column " + std::to_string(note.column);
}

// The notes of one kind: how many and where the first few are.
std::string notesOf(const imports::MembersFile& file, imports::CellNote::Kind kind, const std::string& what) {
    std::vector<const imports::CellNote*> notes;
    for (const imports::CellNote& note : file.notes)
        if (note.kind == kind) notes.push_back(&note);
    if (notes.empty()) return {};
    std::string out = "; " + counted(notes.size(), "cell", "cells") + " " + what + ": ";
    for (std::size_t k = 0; k < std::min(notes.size(), kNotesListed); ++k) out += (k > 0 ? "; " : "") + place(*notes[k]);
    if (notes.size() > kNotesListed) out += "; and " + std::to_string(notes.size() - kNotesListed) + " more";
    return out;
}

std::string heading(const imports::MembersFile& file, const imports::MemberImportOptions& options, std::size_t c) {
    if (!options.header || file.table.rowCount() == 0) return {};
    std::string text(text::trimSpaces(file.table.cell(0, c)));
    if (text.empty() || text.find_first_of("\r\n") != std::string::npos) return {};
    if (text.size() > kHeadingBytes) return {};
    return " \"" + text + "\"";
}

const char* kindText(ColumnKind kind) {
    switch (kind) {
        case ColumnKind::timestamp: return "timestamps";
        case ColumnKind::email: return "e-mail addresses";
        case ColumnKind::number: return "numbers";
        case ColumnKind::team: return "teams";
        case ColumnKind::text: return "short texts";
        case ColumnKind::freeText: return "comments";
        case ColumnKind::empty: break;
    }
    return "nothing";
}

}  // namespace

std::string encodingReport(const imports::MembersFile& file) {
    const Encoding other = file.otherEncoding();
    return encodingName(file.encoding) + ", " + why(file.encoding) +
           notesOf(file, imports::CellNote::Kind::otherEncoding,
                   std::string("not ") + (other == Encoding::cp932 ? "UTF-8, read as CP932" : "CP932, read as UTF-8")) +
           notesOf(file, imports::CellNote::Kind::undecodable, "neither UTF-8 nor CP932");
}

std::string separatorReport(const imports::MembersFile& file) {
    const char* name = file.separator == text::Separator::semicolon ? "semicolons"
                       : file.separator == text::Separator::tab     ? "tabs"
                                                                    : "commas";
    return std::string("fields separated by ") + name + (file.separatorDetected ? " (found in the file)" : "");
}

std::string columnsReport(const imports::MembersFile& file, const imports::MemberImportOptions& options,
                          const imports::ColumnGuess* guess) {
    const std::size_t width = file.columnCount();
    std::string out = options.header ? "header on line " + std::to_string(file.table.line(0)) : "no header";
    out += "; name: column " + std::to_string(options.nameColumn) + heading(file, options, options.nameColumn);
    std::size_t first = options.firstVoteColumn;
    std::size_t last = options.lastVoteColumn;
    if (first == 0) {
        first = options.nameColumn + 1;
        last = width;
    }
    const auto isPick = [&](std::size_t c) { return c >= first && c <= last && c != options.dateColumn; };
    if (first > last) out += "; no picks";
    else if (first == last) out += "; picks: column " + std::to_string(first) + heading(file, options, first);
    else out += "; picks: columns " + std::to_string(first) + "-" + std::to_string(last);
    if (options.dateColumn > 0)
        out += "; date: column " + std::to_string(options.dateColumn) + heading(file, options, options.dateColumn);
    std::string skipped;
    for (std::size_t c = 1; c <= width; ++c) {
        if (c == options.nameColumn || c == options.dateColumn || isPick(c)) continue;
        const ColumnKind kind = guess && c <= guess->kinds.size() ? guess->kinds[c - 1] : ColumnKind::text;
        if (kind == ColumnKind::empty) continue;
        skipped += (skipped.empty() ? "" : ", ") + std::to_string(c) + heading(file, options, c);
        if (guess) skipped += std::string(" (") + kindText(kind) + ")";
    }
    if (!skipped.empty()) out += "; not imported: column" + std::string(skipped.find(',') == std::string::npos ? " " : "s ") + skipped;
    return out;
}

std::string spellingReport(const imports::PickSpelling& spelling, const std::string& nearestTeam) {
    std::string out = "\"" + spelling.written + "\" (" + counted(spelling.count, "pick", "picks") +
                      ") matches no team; kept as written";
    if (!nearestTeam.empty()) out += "; it may be \"" + nearestTeam + "\"";
    return out;
}

}  // namespace scorvale::tool
