#include <cerrno>
#include <iconv.h>
#include <stdexcept>

#include "text/cp932_backends.h"
#include "text/sjis_codec.h"

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

namespace detail {

std::string iconvToUtf8(std::string_view sjis) {
    // Opening a converter costs more than converting a name; a page converts
    // one per member.
    thread_local Decoder decoder;
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    decoder.append(sjis, out);
    return out;
}

std::optional<std::string> iconvFromUtf8(std::string_view utf8) {
    Converter conv("CP932", "UTF-8");
    std::string out;
    const char* in = utf8.data();
    std::size_t left = utf8.size();
    if (!conv.convert(in, left, out)) return std::nullopt;
    return out;
}

}  // namespace detail
}  // namespace scorvale::sjis
