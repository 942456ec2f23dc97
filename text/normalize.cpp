#include "text/normalize.h"

#include <cstdlib>
#include <memory>
#include <new>

#include <utf8proc.h>

#include "text/encoding.h"

namespace scorvale::text {

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

bool startsWithSpace(std::string_view s) { return s.starts_with(' ') || s.starts_with('\t'); }
bool endsWithSpace(std::string_view s) { return s.ends_with(' ') || s.ends_with('\t'); }

}  // namespace

std::string_view trimSpaces(std::string_view utf8) {
    for (;;) {
        if (startsWithSpace(utf8)) utf8.remove_prefix(1);
        else if (utf8.starts_with(kIdeographicSpace)) utf8.remove_prefix(kIdeographicSpace.size());
        else break;
    }
    for (;;) {
        if (endsWithSpace(utf8)) utf8.remove_suffix(1);
        else if (utf8.ends_with(kIdeographicSpace)) utf8.remove_suffix(kIdeographicSpace.size());
        else break;
    }
    return utf8;
}

std::string normalizeName(std::string_view utf8) {
    // utf8proc refuses invalid input as a whole; read it as decodeText would.
    std::string repaired;
    if (!isValidUtf8(utf8)) {
        repaired = repairUtf8(utf8);
        utf8 = repaired;
    }
    utf8proc_uint8_t* mapped = nullptr;
    const auto options = static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPAT | UTF8PROC_COMPOSE |
                                                        UTF8PROC_CASEFOLD | UTF8PROC_IGNORE);
    const utf8proc_ssize_t length =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(utf8.data()),
                     static_cast<utf8proc_ssize_t>(utf8.size()), &mapped, options);
    // With valid input only memory can run out.
    if (length < 0) throw std::bad_alloc();
    const std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owner(mapped, &std::free);
    return std::string(trimSpaces({reinterpret_cast<const char*>(mapped), static_cast<std::size_t>(length)}));
}

}  // namespace scorvale::text
