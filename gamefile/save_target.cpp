#include "gamefile/save_target.h"

namespace scorvale {

std::string notRegularReason(FileKind kind) {
    const char* what = "neither file nor folder";
    switch (kind) {
        case FileKind::fifo: what = "a FIFO"; break;
        case FileKind::characterDevice: what = "a character device"; break;
        case FileKind::blockDevice: what = "a block device"; break;
        case FileKind::socket: what = "a socket"; break;
        default: break;
    }
    return std::string("not a regular file (") + what + ")";
}

std::optional<SaveRefusal> saveRefusal(const SaveTarget& target) {
    using Why = SaveRefusal::Why;
    switch (target.kind) {
        case FileKind::missing: return std::nullopt;
        case FileKind::regular: break;
        case FileKind::folder: return SaveRefusal{Why::folder, target};
        default: return SaveRefusal{Why::notRegular, target};
    }
    if (!target.writable) return SaveRefusal{Why::readOnly, target};
    if (target.names > 1) return SaveRefusal{Why::severalNames, target};
    return std::nullopt;
}

std::string refusalReason(const SaveRefusal& refusal) {
    switch (refusal.why) {
        case SaveRefusal::Why::folder: return "Is a directory";
        case SaveRefusal::Why::notRegular: return notRegularReason(refusal.target.kind);
        case SaveRefusal::Why::readOnly: return "read-only: this user may not write the file";
        case SaveRefusal::Why::severalNames: break;
    }
    return "the file has " + std::to_string(refusal.target.names) +
           " names (hard links); the others would keep the old contents";
}

}  // namespace scorvale
