#include "text/sjis_codec.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>
#include <vector>

namespace scorvale::sjis {

// One iconv conversion descriptor.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert CP932");
    }
    ~Converter() { ::iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns false on an invalid or unconvertible
    // sequence, leaving `in` pointing at it.
    bool convert(const char*& in, std::size_t& inLeft, std::string& out) {
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            char* inPtr = const_cast<char*>(in);
            const std::size_t r = ::iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            in = inPtr;
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (r == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) continue;
                ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
                return false;
            }
        }
        return true;
    }

private:
    iconv_t cd_;
};

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

std::string toUtf8(std::string_view sjis) {
    // Opening a converter costs more than converting a name; a page converts
    // one per member.
    thread_local Decoder decoder;
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    decoder.append(sjis, out);
    return out;
}

Decoder::Decoder() : converter_(std::make_unique<Converter>("UTF-8", "CP932")) {}
Decoder::~Decoder() = default;

bool Decoder::append(std::string_view sjis, std::string& out) {
    Converter& conv = *converter_;
    const char* in = sjis.data();
    std::size_t left = sjis.size();
    bool clean = true;
    while (!conv.convert(in, left, out)) {
        out += "\xEF\xBF\xBD";
        ++in;
        --left;
        clean = false;
    }
    return clean;
}

std::optional<std::string> fromUtf8(std::string_view utf8) {
    const std::string normal = normaliseForCp932(utf8);
    Converter conv("CP932", "UTF-8");
    std::string out;
    const char* in = normal.data();
    std::size_t left = normal.size();
    if (!conv.convert(in, left, out)) return std::nullopt;
    return out;
}

}  // namespace scorvale::sjis
