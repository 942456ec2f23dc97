#pragma once

#ifdef _WIN32
#include <cstddef>
#include <memory>
#include <string>

namespace scorvale::platform {

// A key under HKEY_CURRENT_USER that a library writes while the program runs
// (and that other programs share), put back exactly as it was found when
// this object ends: its values with their types and bytes, its subkeys, or
// its absence. Keys above it that were created meanwhile go again when
// nothing else has been put in them.
class RegistryKeyKeptAsFound {
public:
    explicit RegistryKeyKeptAsFound(std::wstring path);
    ~RegistryKeyKeptAsFound();
    RegistryKeyKeptAsFound(const RegistryKeyKeptAsFound&) = delete;
    RegistryKeyKeptAsFound& operator=(const RegistryKeyKeptAsFound&) = delete;

    struct Tree;

private:
    std::wstring path_;
    // Null when the key was not there.
    std::unique_ptr<Tree> found_;
    // How many of the path's leading keys were there (all when found_ is).
    std::size_t keysThere_ = 0;
};

}  // namespace scorvale::platform
#endif
