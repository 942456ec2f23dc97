#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scorvale::text {

// How the bytes of a text file are read. `automatic` decides on the evidence
// of the whole file (chooseEncoding); `utf16` is little-endian unless a byte
// order mark says otherwise, as Windows writes it.
enum class Encoding { automatic, utf8, cp932, utf16 };

// The encoding a file is read in and why.
struct EncodingChoice {
    enum class Reason {
        forced,        // the caller said so
        byteOrderMark, // a UTF-8 or UTF-16 byte order mark
        utf16Zeros,    // no mark, but zero bytes on every other byte, as in UTF-16 text
        allUtf8,       // every byte is UTF-8 (plain ASCII too)
        mostlyUtf8,    // UTF-8 but for `otherBytes`, far fewer than its UTF-8 characters
        noUtf8,        // not one character of UTF-8 beyond ASCII: CP932
        mostlyCp932,   // some byte runs happen to be UTF-8, far fewer than those that are not
    };

    Encoding encoding = Encoding::utf8;  // utf8, cp932 or utf16, never automatic
    Reason reason = Reason::allUtf8;
    bool bigEndian = false;              // UTF-16 only
    std::size_t bomSize = 0;             // bytes of the byte order mark at the start
    std::size_t utf8Characters = 0;      // characters beyond ASCII well-formed as UTF-8
    std::size_t otherBytes = 0;          // bytes that begin no well-formed UTF-8 character
};

// Reads `encoding` from the bytes: a byte order mark decides; else zero bytes
// on alternate positions mean UTF-16; else UTF-8 when its well-formed
// characters outweigh the bytes that are not UTF-8 (a three- or four-byte
// character counts three, as chance gives it to CP932 text far more rarely
// than a two-byte one), CP932 otherwise. A forced encoding is taken as it is,
// its byte order mark still skipped. Linear, no allocation.
EncodingChoice chooseEncoding(std::string_view bytes, Encoding encoding = Encoding::automatic);

struct DecodedText {
    std::string utf8;
    Encoding encoding;  // the one used: utf8, cp932 or utf16, never automatic
    EncodingChoice choice;
};

// A text file's bytes as UTF-8, in the encoding chooseEncoding gives, without
// the byte order mark. Bytes the encoding cannot read become U+FFFD, one per
// byte (one per unpaired surrogate in UTF-16), so the result is always valid
// UTF-8 (and such a text has no Shift-JIS form).
DecodedText decodeText(std::string_view bytes, Encoding encoding = Encoding::automatic);

// UTF-16 code units (little- or big-endian byte pairs) as UTF-8; an unpaired
// surrogate or an odd last byte is U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian);

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or
// code points beyond U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// `bytes` with every byte that does not begin a well-formed UTF-8 sequence
// replaced by U+FFFD.
std::string repairUtf8(std::string_view bytes);

}  // namespace scorvale::text
