#pragma once

#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace scorvale::testing {

// A Unix socket bound at `path` (a file that is neither read nor replaced);
// the descriptor, to close when done, or -1.
inline int boundSocket(const std::string& path) {
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (sock >= 0 && ::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return sock;
    if (sock >= 0) ::close(sock);
    return -1;
}

}  // namespace scorvale::testing
