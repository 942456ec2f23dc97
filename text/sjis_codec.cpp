#include "text/sjis_codec.h"

#include "text/cp932_backends.h"

namespace scorvale::sjis {

namespace {

// Code points an input method may produce that CP932 spells differently.
const char* cp932Form(char32_t c) {
    switch (c) {
        case 0x301C: return "\xEF\xBD\x9E";  // WAVE DASH -> FULLWIDTH TILDE
        case 0x2016: return "\xE2\x88\xA5";  // DOUBLE VERTICAL LINE -> PARALLEL TO
        case 0x2212: return "\xEF\xBC\x8D";  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
        case 0x2014: return "\xE2\x80\x95";  // EM DASH -> HORIZONTAL BAR
        case 0x00A2: return "\xEF\xBF\xA0";
        case 0x00A3: return "\xEF\xBF\xA1";
        case 0x00AC: return "\xEF\xBF\xA2";
        default: return nullptr;
    }
}

std::string normaliseForCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        std::size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
        if (i + len > utf8.size()) len = 1;
        char32_t c = b;
        if (len == 2) c = (b & 0x1F) << 6 | (utf8[i + 1] & 0x3F);
        if (len == 3) c = (b & 0x0F) << 12 | (utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F);
        const char* mapped = len > 1 ? cp932Form(c) : nullptr;
        if (mapped) out += mapped;
        else out.append(utf8.substr(i, len));
        i += len;
    }
    return out;
}

}  // namespace

#ifdef _WIN32
std::string toUtf8(std::string_view sjis) { return detail::tableToUtf8(sjis); }
std::optional<std::string> fromUtf8(std::string_view utf8) { return detail::tableFromUtf8(normaliseForCp932(utf8)); }
#else
std::string toUtf8(std::string_view sjis) { return detail::iconvToUtf8(sjis); }
std::optional<std::string> fromUtf8(std::string_view utf8) { return detail::iconvFromUtf8(normaliseForCp932(utf8)); }
#endif

#ifdef _WIN32
// The table keeps no state between texts.
class Converter {};
Decoder::Decoder() = default;
Decoder::~Decoder() = default;

bool Decoder::append(std::string_view sjis, std::string& out) {
    const std::size_t from = out.size();
    out += detail::tableToUtf8(sjis);
    // No CP932 character decodes to U+FFFD: each one here stands for a bad byte.
    return out.find("\xEF\xBF\xBD", from) == std::string::npos;
}
#endif

}  // namespace scorvale::sjis
