#include "model/text_field.h"

namespace scorvale {

std::size_t shiftJisPrefixLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text.size();
    std::size_t pos = 0;
    while (pos < maxBytes) {
        const std::size_t width = isShiftJisLead(static_cast<unsigned char>(text[pos])) ? 2 : 1;
        if (pos + width > maxBytes) break;
        pos += width;
    }
    return pos;
}

std::string_view fieldText(std::string_view text) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    return text.substr(0, shiftJisPrefixLength(text, TextField::kMaxBytes));
}

}  // namespace scorvale
