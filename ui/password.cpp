#include "ui/password.h"

#include "model/wrap_int.h"

namespace scorvale::ui {

std::int32_t passwordValue(std::string_view text) {
    // The value was always computed in a 64-byte buffer that ends at a NUL.
    constexpr std::size_t kBuffer = 63;
    std::int32_t sum = 0;
    for (std::size_t p = 0; p < text.size() && p < kBuffer && text[p] != '\0'; ++p) {
        const auto c = static_cast<std::int32_t>(static_cast<signed char>(text[p]));
        const std::int32_t term = wrapMul(wrapMul(c, static_cast<std::int32_t>(p)), 434) / 275;
        sum = wrapAdd(wrapAdd(sum, c), term);
    }
    return sum;
}

}  // namespace scorvale::ui
