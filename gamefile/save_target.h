#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "gamefile/file_error.h"

namespace scorvale {

// What lies at a path, as far as reading or replacing it is concerned.
enum class FileKind { missing, regular, folder, fifo, characterDevice, blockDevice, socket, other };

// What the platform found at the file a save would replace (the end of any
// chain of symbolic links). Each platform's writer gathers these facts with
// its own calls; what they allow is decided here once.
struct SaveTarget {
    FileKind kind = FileKind::missing;
    // The user may open the file for writing.
    bool writable = true;
    // Names the file has (hard links).
    std::uint64_t names = 1;
};

// Why a save may not replace its target, with what was found there.
struct SaveRefusal {
    enum class Why { folder, notRegular, readOnly, severalNames };
    Why why;
    SaveTarget target;
};

// A save renames a new file over the old one, so it must not take the place
// of a folder, a device, a FIFO or a socket, nor of a file the user may not
// write. Nor of a file of several names: the other names would keep the old
// contents, and writing in place instead would give up what the rename
// guarantees, that a failed save leaves the old file whole.
std::optional<SaveRefusal> saveRefusal(const SaveTarget& target);

// The refusal in words: the reason of the error thrown, and svltool's message.
std::string refusalReason(const SaveRefusal& refusal);

// "not a regular file (a FIFO)": why a file of `kind` is neither read nor
// replaced.
std::string notRegularReason(FileKind kind);

// A save refused before anything was written; the refusal stays data for the
// window to word.
class SaveRefusedError : public FileError {
public:
    SaveRefusedError(std::string path, const SaveRefusal& refusal)
        : FileError(std::move(path), refusalReason(refusal)), refusal_(refusal) {}
    const SaveRefusal& refusal() const { return refusal_; }

private:
    SaveRefusal refusal_;
};

}  // namespace scorvale
