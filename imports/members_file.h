#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/csv.h"
#include "text/encoding.h"
#include "text/input_error.h"

namespace scorvale::imports {

// A members file is refused beyond this size: a form's export of 200,000
// members with ten picks each, written in Japanese, is about 32 MB, far
// beyond any pool, so a larger file is some other file, and reading it would
// hold several times its size in memory.
inline constexpr std::size_t kMaxMembersFileBytes = 32u * 1024 * 1024;
// ... and beyond this many columns holding something (empty columns after a
// record's last cell cost nothing and are not counted): a member has at most
// 64 picks, and a form asks a few questions more.
inline constexpr std::size_t kMaxMembersColumns = 1000;

// How the bytes are read: both automatic by default.
struct MembersFileFormat {
    text::Encoding encoding = text::Encoding::automatic;
    text::Separator separator = text::Separator::automatic;

    friend bool operator==(const MembersFileFormat&, const MembersFileFormat&) = default;
};

// A cell that is not in the file's encoding: read in the other one of UTF-8
// and CP932 when it is that through and through, else with U+FFFD for each
// byte neither reads.
struct CellNote {
    enum class Kind { otherEncoding, undecodable };

    Kind kind = Kind::otherEncoding;
    std::size_t row = 0;     // index in MembersFile::table
    std::size_t line = 0;    // 1-based
    std::size_t column = 0;  // 1-based

    friend bool operator==(const CellNote&, const CellNote&) = default;
};

// The records of a members file, read once: a preview plans from them again
// for every choice of columns, header and replace.
struct MembersFile {
    text::EncodingChoice encoding;                      // the one used and why
    text::Separator separator = text::Separator::comma; // the one used
    bool separatorDetected = false;                     // found in the file, not given
    text::CsvTable table;                               // UTF-8; blank records left out
    std::vector<CellNote> notes;                        // in file order

    std::size_t columnCount() const { return table.columnCount(); }
    // The encoding other cells were read in, for the notes of kind otherEncoding.
    text::Encoding otherEncoding() const {
        return encoding.encoding == text::Encoding::cp932 ? text::Encoding::utf8 : text::Encoding::cp932;
    }
};

// Throws InputError fileTooLarge beyond kMaxMembersFileBytes: a caller that
// knows a file's size asks before reading it.
void checkMembersFileSize(std::uintmax_t bytes);

// Reads `bytes`: refuses files beyond kMaxMembersFileBytes, decodes in the
// chosen encoding (chooseEncoding; UTF-16 first becomes UTF-8), finds the
// separator (detectSeparator) and splits the records. Without a forced
// encoding, a cell that is not in the file's encoding but wholly in the
// other is read in that one; every cell not read in the file's encoding is
// noted. Throws InputError: the size, CSV syntax, more than
// kMaxMembersColumns columns, a file without a record.
MembersFile readMembersFile(std::string_view bytes, const MembersFileFormat& format = {});

}  // namespace scorvale::imports
