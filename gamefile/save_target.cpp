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

std::optional<std::string> saveRefusal(const SaveTarget& target) {
    switch (target.kind) {
        case FileKind::missing: return std::nullopt;
        case FileKind::regular: break;
        case FileKind::folder: return "Is a directory";
        default: return notRegularReason(target.kind);
    }
    if (!target.writable) return "read-only: this user may not write the file";
    if (target.names > 1)
        return "the file has " + std::to_string(target.names) +
               " names (hard links); the others would keep the old contents";
    return std::nullopt;
}

}  // namespace scorvale
