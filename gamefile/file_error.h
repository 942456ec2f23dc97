#pragma once

#include <stdexcept>
#include <string>

namespace scorvale {

// A file that could not be opened, read, written or replaced. Carries the
// path and the system's reason; the UI turns it into a message.
class FileError : public std::runtime_error {
public:
    FileError(std::string path, std::string reason)
        : std::runtime_error(path + ": " + reason), path_(std::move(path)), reason_(std::move(reason)) {}

    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

}  // namespace scorvale
