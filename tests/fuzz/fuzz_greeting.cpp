// Whatever a greeting holds, what the members' page makes of it carries no
// markup but the kept tags, written as the page writes them, each element
// closed in order: nothing a greeting holds can run, load or break the page.
#include <cstddef>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "report/html_text.h"

namespace {

// Length of the kept tag at the start of `html`, or 0; `name` gets the element
// it opens ("" for a void one) or, after '/', the one it closes.
std::size_t keptTag(std::string_view html, std::string& name) {
    static const char* const kExact[] = {"<b>", "<strong>", "<i>", "<em>", "<u>", "<s>", "<small>", "<p>",
                                         "<span>", "<a>", "</b>", "</strong>", "</i>", "</em>", "</u>", "</s>",
                                         "</small>", "</p>", "</div>", "</span>", "</a>", "<br>", "<hr>"};
    for (const char* tag : kExact) {
        const std::string_view t(tag);
        if (!html.starts_with(t)) continue;
        name = t == "<br>" || t == "<hr>" ? "" : std::string(t.substr(1, t.size() - 2));
        return t.size();
    }
    const auto quoted = [&](std::string_view open, std::string_view element, auto allowed) -> std::size_t {
        if (!html.starts_with(open)) return 0;
        const std::size_t end = html.find("\">", open.size());
        if (end == std::string_view::npos) return 0;
        for (const char c : html.substr(open.size(), end - open.size()))
            if (!allowed(c)) return 0;
        name = element;
        return end + 2;
    };
    if (const std::size_t n = quoted("<div class=\"c", "div", [](char) { return false; })) return n;
    if (const std::size_t n = quoted("<span style=\"color:", "span", [](char c) {
            return c == '#' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        }))
        return n;
    return quoted("<a href=\"", "a", [](char c) { return c != '<' && c != '>' && c != '"' && c != '\''; });
}

// A link a browser follows only to the web, to mail or beside the page: no
// other scheme, once the browser has dropped the blanks and line breaks it
// ignores in a URL.
bool safeLink(std::string_view href) {
    std::string url;
    for (const char c : href)
        if (c != '\t' && c != '\n' && c != '\r') url += c;
    std::size_t at = 0;
    while (at < url.size() && static_cast<unsigned char>(url[at]) <= ' ') ++at;
    std::size_t end = at;
    while (end < url.size() && (std::isalnum(static_cast<unsigned char>(url[end])) || url[end] == '+' ||
                                url[end] == '-' || url[end] == '.'))
        ++end;
    if (end == at || end >= url.size() || url[end] != ':' || !std::isalpha(static_cast<unsigned char>(url[at])))
        return true;  // no scheme: a relative link
    std::string scheme = url.substr(at, end - at);
    for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return scheme == "http" || scheme == "https" || scheme == "mailto";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string html = scorvale::html::greeting(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> open;
    for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
        std::string name;
        const std::size_t length = keptTag(std::string_view(html).substr(at), name);
        if (length == 0) std::abort();  // markup that is not a kept tag
        if (html[at + 1] == '/') {
            if (open.empty() || open.back() != name.substr(1)) std::abort();  // closed out of order
            open.pop_back();
        } else if (!name.empty()) {
            open.push_back(name);
        }
        if (name == "a" && length > 3 && !safeLink(std::string_view(html).substr(at + 9, length - 11))) std::abort();
    }
    if (!open.empty()) std::abort();  // left open
    return 0;
}
