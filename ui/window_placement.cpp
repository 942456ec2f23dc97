#include "ui/window_placement.h"

#include <algorithm>

namespace scorvale::ui {

QRect firstWindowGeometry(QSize wanted, QSize minimum, const QRect& available) {
    const QSize size(std::max(minimum.width(), std::min(wanted.width(), available.width())),
                     std::max(minimum.height(), std::min(wanted.height(), available.height())));
    const int x = available.left() + std::max(0, (available.width() - size.width()) / 2);
    const int y = available.top() + std::max(0, (available.height() - size.height()) / 2);
    return {QPoint(x, y), size};
}

}  // namespace scorvale::ui
