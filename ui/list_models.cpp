#include "ui/list_models.h"

#include "ui/qt_text.h"

namespace scorvale::ui {

QString cellText(const lists::Cell& cell) {
    if (const auto* number = std::get_if<std::int32_t>(&cell)) return QString::number(*number);
    return fromSjis(std::get<std::string_view>(cell));
}

}  // namespace scorvale::ui
