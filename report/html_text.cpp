#include "report/html_text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "text/sjis_codec.h"

namespace scorvale::html {

namespace {

bool asciiOnly(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string utf8Of(std::string_view sjis) { return asciiOnly(sjis) ? std::string(sjis) : sjis::toUtf8(sjis); }

bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHex(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

// Length of the character reference at `at` (&amp; &#38; &#x26;), or 0.
std::size_t referenceLength(std::string_view text, std::size_t at) {
    std::size_t j = at + 1;
    const auto run = [&](auto accept, std::size_t most) {
        const std::size_t start = j;
        while (j < text.size() && j - start < most && accept(text[j])) ++j;
        return j - start;
    };
    std::size_t digits = 0;
    if (j < text.size() && text[j] == '#') {
        ++j;
        if (j < text.size() && (text[j] == 'x' || text[j] == 'X')) {
            ++j;
            digits = run(isHex, 6);
        } else {
            digits = run(isDigit, 7);
        }
    } else if (j < text.size() && isAlpha(text[j])) {
        digits = run([](char c) { return isAlpha(c) || isDigit(c); }, 32);
    }
    return digits > 0 && j < text.size() && text[j] == ';' ? j + 1 - at : 0;
}

struct Attribute {
    std::string name;  // lower case
    std::string value;
};

struct ParsedTag {
    bool closing = false;
    std::string name;  // lower case
    std::vector<Attribute> attributes;
    std::size_t end = 0;  // just past '>'
};

// Reads the tag that starts with '<' at `at`; false when the text there is
// no well-formed tag (it then shows as text).
bool parseTag(std::string_view text, std::size_t at, ParsedTag& tag) {
    std::size_t j = at + 1;
    if (j < text.size() && text[j] == '/') {
        tag.closing = true;
        ++j;
    }
    const std::size_t nameStart = j;
    if (j >= text.size() || !isAlpha(text[j])) return false;
    while (j < text.size() && (isAlpha(text[j]) || isDigit(text[j]))) ++j;
    tag.name = lowered(text.substr(nameStart, j - nameStart));
    for (;;) {
        while (j < text.size() && (isSpace(text[j]) || text[j] == '/')) ++j;
        if (j >= text.size()) return false;
        if (text[j] == '>') {
            tag.end = j + 1;
            return true;
        }
        const std::size_t attrStart = j;
        while (j < text.size() && !isSpace(text[j]) && text[j] != '=' && text[j] != '>' && text[j] != '/' &&
               text[j] != '"' && text[j] != '\'')
            ++j;
        if (j == attrStart) return false;
        Attribute attr{lowered(text.substr(attrStart, j - attrStart)), {}};
        while (j < text.size() && isSpace(text[j])) ++j;
        if (j < text.size() && text[j] == '=') {
            ++j;
            while (j < text.size() && isSpace(text[j])) ++j;
            if (j >= text.size()) return false;
            if (text[j] == '"' || text[j] == '\'') {
                const std::size_t close = text.find(text[j], j + 1);
                if (close == std::string_view::npos) return false;
                attr.value = text.substr(j + 1, close - j - 1);
                j = close + 1;
            } else {
                const std::size_t valueStart = j;
                while (j < text.size() && !isSpace(text[j]) && text[j] != '>') ++j;
                attr.value = text.substr(valueStart, j - valueStart);
            }
        }
        tag.attributes.push_back(std::move(attr));
    }
}

std::string_view attribute(const ParsedTag& tag, std::string_view name) {
    for (const Attribute& a : tag.attributes)
        if (a.name == name) return a.value;
    return {};
}

// A link a member may follow: web, mail, or a file beside the page. Anything
// with another scheme (javascript:, data:) is refused.
bool safeHref(std::string_view href) {
    while (!href.empty() && isSpace(href.front())) href.remove_prefix(1);
    if (href.empty()) return false;
    const std::string low = lowered(href.substr(0, 8));
    if (low.starts_with("http://") || low.starts_with("https://") || low.starts_with("mailto:")) return true;
    const std::size_t colon = href.find(':');
    return colon == std::string_view::npos || href.find_first_of("/?#") < colon;
}

bool plainColour(std::string_view value) {
    return !value.empty() && value.size() <= 20 &&
           std::all_of(value.begin(), value.end(), [](char c) { return c == '#' || isAlpha(c) || isDigit(c); });
}

// The kept elements: what they are written as, opening and closing.
struct KeptTag {
    const char* name;
    const char* closing;  // nullptr for an element without content
};
constexpr std::array<KeptTag, 13> kKept{{{"b", "</b>"},
                                         {"strong", "</strong>"},
                                         {"i", "</i>"},
                                         {"em", "</em>"},
                                         {"u", "</u>"},
                                         {"s", "</s>"},
                                         {"small", "</small>"},
                                         {"p", "</p>"},
                                         {"center", "</div>"},
                                         {"font", "</span>"},
                                         {"a", "</a>"},
                                         {"br", nullptr},
                                         {"hr", nullptr}}};

const KeptTag* kept(std::string_view name) {
    for (const KeptTag& k : kKept)
        if (name == k.name) return &k;
    return nullptr;
}

void openTag(std::string& out, const ParsedTag& tag) {
    if (tag.name == "center") {
        out += "<div class=\"c\">";
    } else if (tag.name == "font") {
        const std::string_view colour = attribute(tag, "color");
        out += "<span";
        if (plainColour(colour)) {
            out += " style=\"color:";
            out += colour;
            out += '"';
        }
        out += '>';
    } else if (tag.name == "a") {
        const std::string_view href = attribute(tag, "href");
        out += "<a";
        if (safeHref(href)) {
            out += " href=\"";
            appendEscaped(out, href);
            out += '"';
        }
        out += '>';
    } else {
        out += '<';
        out += tag.name;
        out += '>';
    }
}

}  // namespace

void appendEscaped(std::string& out, std::string_view utf8) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char* ref = nullptr;
        switch (utf8[i]) {
            case '&': ref = "&amp;"; break;
            case '<': ref = "&lt;"; break;
            case '>': ref = "&gt;"; break;
            case '"': ref = "&quot;"; break;
            case '\'': ref = "&#39;"; break;
            default: continue;
        }
        out.append(utf8.substr(from, i - from));
        out += ref;
        from = i + 1;
    }
    out.append(utf8.substr(from));
}

void appendText(std::string& out, std::string_view sjis) {
    if (asciiOnly(sjis)) appendEscaped(out, sjis);
    else appendEscaped(out, sjis::toUtf8(sjis));
}

std::string text(std::string_view sjis) {
    std::string out;
    appendText(out, sjis);
    return out;
}

std::string imageUrl(std::string_view sjis) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : utf8Of(sjis)) {
        if (isAlpha(c) || isDigit(c) || std::strchr("-._~/:@", c) != nullptr) {
            out += c;
        } else {
            const auto b = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

std::string greeting(std::string_view sjis) {
    const std::string in = utf8Of(sjis);
    std::string out;
    out.reserve(in.size() + in.size() / 8);
    std::vector<const KeptTag*> open;
    const auto closeDownTo = [&](std::size_t depth) {
        while (open.size() > depth) {
            out += open.back()->closing;
            open.pop_back();
        }
    };
    for (std::size_t i = 0; i < in.size();) {
        const char c = in[i];
        if (c == '\r' || c == '\n') {
            i += c == '\r' && i + 1 < in.size() && in[i + 1] == '\n' ? 2 : 1;
            out += "<br>\n";
            continue;
        }
        if (c == '&') {
            const std::size_t length = referenceLength(in, i);
            if (length > 0) out.append(in, i, length);
            else out += "&amp;";
            i += std::max<std::size_t>(length, 1);
            continue;
        }
        if (c == '<') {
            if (std::string_view(in).substr(i).starts_with("<!--")) {
                const std::size_t end = in.find("-->", i + 4);
                if (end != std::string::npos) {
                    i = end + 3;
                    continue;
                }
            }
            ParsedTag tag;
            const KeptTag* k = parseTag(in, i, tag) ? kept(tag.name) : nullptr;
            if (k == nullptr) {
                out += "&lt;";
                ++i;
                continue;
            }
            i = tag.end;
            if (!tag.closing) {
                openTag(out, tag);
                if (k->closing != nullptr) open.push_back(k);
            } else {
                // Closes the innermost open element of that name and all inside
                // it; a closing tag with nothing to close is dropped.
                const auto found = std::find(open.rbegin(), open.rend(), k);
                if (found != open.rend()) closeDownTo(static_cast<std::size_t>(open.rend() - found) - 1);
            }
            continue;
        }
        appendEscaped(out, std::string_view(&in[i], 1));
        ++i;
    }
    closeDownTo(0);
    return out;
}

}  // namespace scorvale::html
