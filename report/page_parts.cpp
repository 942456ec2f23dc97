#include "report/page_parts.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace scorvale {

void appendText(std::string& page, std::string_view text) {
    while (!text.empty()) {
        const void* hit = std::memchr(text.data(), '\n', text.size());
        if (hit == nullptr) {
            page.append(text);
            return;
        }
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        page.append(text.substr(0, at));
        page.append("\r\n");
        text.remove_prefix(at + 1);
    }
}

namespace {
void appendPadded(std::string& page, std::int32_t value, std::size_t width, char pad) {
    char buffer[16];
    const std::string_view digits(buffer, static_cast<std::size_t>(
                                              std::to_chars(buffer, buffer + sizeof buffer, value).ptr - buffer));
    const std::size_t fill = digits.size() < width ? width - digits.size() : 0;
    if (pad == '0' && value < 0) {  // the sign goes before the zeros, as printf puts it
        page.push_back('-');
        page.append(fill, '0');
        page.append(digits.substr(1));
        return;
    }
    page.append(fill, pad);
    page.append(digits);
}
}  // namespace

void appendInt(std::string& page, std::int32_t value) { appendPadded(page, value, 0, ' '); }
void appendInt3(std::string& page, std::int32_t value) { appendPadded(page, value, 3, ' '); }
void appendInt03(std::string& page, std::int32_t value) { appendPadded(page, value, 3, '0'); }

ImageFragments imageFragments(const ReportSettings& settings) {
    auto tag = [](const std::string& name, std::string_view before, std::string_view after) {
        return name.empty() ? std::string() : std::string(before) + name + std::string(after);
    };
    return {tag(settings.backgroundImage, "background=\"", "\" "), tag(settings.topImage, "<img src=\"", "\">"),
            tag(settings.leftImage, "<img src=\"", "\"> "), tag(settings.rightImage, " <img src=\"", "\">")};
}

std::string sectionHeading(const ImageFragments& images, std::string_view text) {
    std::string out = "<HR><h3>";
    out += images.leftImageTag;
    appendText(out, text);
    out += images.rightImageTag;
    out += "</h3>\r\n";
    return out;
}

std::string greetingToHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\n')
            out += "<BR>\n";
        else
            out.push_back(c);
    }
    return out;
}

int reportRowLimit(std::int32_t range, int size) {
    const int limit = range == 0 ? 5 : range == 1 ? 10 : size;
    return std::min(limit, size);
}

void appendTeamPicture(std::string& page, const Team& team) {
    if (team.symbol.empty()) {
        page += "-";
        return;
    }
    page += "<img src=\"";
    appendText(page, team.symbol.view());
    page += "\">";
}

}  // namespace scorvale
