#pragma once

#include <stdexcept>
#include <string>

namespace scorvale::tool {

// A file that exists and reads but cannot be used: no game in it, or an
// input a subcommand rejects. Ends the command like a FileError (status 1).
class BadFileError : public std::runtime_error {
public:
    BadFileError(const std::string& path, const std::string& reason) : std::runtime_error(path + ": " + reason) {}
};

// An option value that cannot be used (status 2, like wrong usage).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace scorvale::tool
