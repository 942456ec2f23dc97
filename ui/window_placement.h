#pragma once

#include <QRect>
#include <QSize>

namespace scorvale::ui {

// Where a window first opens: at `wanted` size (never below `minimum`),
// shrunk to what `available` holds, centred in it. A screen smaller than the
// minimum gets the window at its top left corner.
QRect firstWindowGeometry(QSize wanted, QSize minimum, const QRect& available);

}  // namespace scorvale::ui
