#pragma once

#include <QIcon>
#include <QString>

namespace scorvale::ui {

// One of the program's pictures ("icon", "picture", "about"), from its
// resources: the SVG drawing, or where Qt lacks its SVG module (the Windows
// build) PNG renderings of it in the sizes shown, and twice those.
QIcon programPicture(const QString& name);

}  // namespace scorvale::ui
