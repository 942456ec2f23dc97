#include "imports/members_file.h"

#include <optional>

#include "text/sjis_codec.h"

namespace scorvale::imports {

namespace {

using text::Encoding;
using Kind = CellNote::Kind;

// Decodes the cells of a table of raw bytes one by one into a table of UTF-8.
class CellDecoder {
public:
    CellDecoder(Encoding encoding, bool fallBack) : encoding_(encoding), fallBack_(fallBack) {}

    text::CsvTable decode(const text::CsvTable& raw, std::vector<CellNote>& notes) {
        text::CsvTable out;
        for (std::size_t row = 0; row < raw.rowCount(); ++row) {
            out.startRow(raw.line(row));
            for (std::size_t column = 1; column <= raw.width(row); ++column) {
                cell_.clear();
                if (const auto note = decodeCell(raw.cell(row, column)))
                    notes.push_back({*note, row, raw.line(row), column});
                out.appendToCell(cell_);
                out.endCell();
            }
            out.endRow();
        }
        out.shrink();
        return out;
    }

private:
    // Fills cell_; returns the note the cell needs, if any.
    std::optional<Kind> decodeCell(std::string_view bytes) {
        const bool utf8 = text::isValidUtf8(bytes);
        if (encoding_ == Encoding::utf8) {
            if (utf8) {
                cell_.assign(bytes);
                return std::nullopt;
            }
            if (fallBack_ && sjis_.append(bytes, cell_)) return Kind::otherEncoding;
            cell_ = text::repairUtf8(bytes);
            return Kind::undecodable;
        }
        if (sjis_.append(bytes, cell_)) return std::nullopt;
        if (fallBack_ && utf8) {
            cell_.assign(bytes);
            return Kind::otherEncoding;
        }
        return Kind::undecodable;
    }

    Encoding encoding_;
    bool fallBack_;
    sjis::Decoder sjis_;
    std::string cell_;
};

}  // namespace

void checkMembersFileSize(std::uintmax_t bytes) {
    if (bytes > kMaxMembersFileBytes)
        throw text::InputError({text::InputProblem::Kind::fileTooLarge, 0, 0, {}, kMaxMembersFileBytes});
}

MembersFile readMembersFile(std::string_view bytes, const MembersFileFormat& format) {
    using text::InputProblem;
    checkMembersFileSize(bytes.size());
    MembersFile file;
    file.encoding = text::chooseEncoding(bytes, format.encoding);
    bytes.remove_prefix(file.encoding.bomSize);

    // UTF-16 becomes UTF-8 first; UTF-8 and CP932 split as they are, since
    // neither has a separator, quote or line end inside a character.
    std::string utf16;
    if (file.encoding.encoding == Encoding::utf16) {
        utf16 = text::utf16ToUtf8(bytes, file.encoding.bigEndian);
        bytes = utf16;
    }
    file.separatorDetected = format.separator == text::Separator::automatic;
    file.separator = file.separatorDetected ? text::detectSeparator(bytes) : format.separator;
    text::CsvTable raw = text::readCsvTable(bytes, text::separatorChar(file.separator), kMaxMembersColumns);
    if (raw.rowCount() == 0) throw text::InputError({InputProblem::Kind::emptyFile, 0, 0, {}, 0});

    const bool asIs = file.encoding.encoding == Encoding::utf16 ||
                      (file.encoding.encoding == Encoding::utf8 && file.encoding.otherBytes == 0);
    if (asIs) {
        file.table = std::move(raw);
    } else {
        const bool forced = file.encoding.reason == text::EncodingChoice::Reason::forced;
        file.table = CellDecoder(file.encoding.encoding, !forced).decode(raw, file.notes);
    }
    return file;
}

}  // namespace scorvale::imports
