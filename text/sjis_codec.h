#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace scorvale::sjis {

// Shift-JIS (CP932) bytes to UTF-8. A byte sequence CP932 does not define
// becomes U+FFFD, one per undecodable byte.
std::string toUtf8(std::string_view sjis);

// Converts many short texts with one converter, as toUtf8 does each: for the
// cells of a file, where opening a converter per cell would cost more than
// converting.
class Converter;

class Decoder {
public:
    Decoder();
    ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // Appends the UTF-8 form of `sjis` to `out`; false when some byte was not
    // CP932 (and became U+FFFD).
    bool append(std::string_view sjis, std::string& out);

private:
    std::unique_ptr<Converter> converter_;
};

// UTF-8 to CP932 bytes, or nothing when a character has no CP932 form. The
// JIS-style code points an input method may give (U+301C, U+2016, U+2212,
// U+2014, U+00A2, U+00A3, U+00AC) are first mapped to their CP932 forms.
std::optional<std::string> fromUtf8(std::string_view utf8);

}  // namespace scorvale::sjis
