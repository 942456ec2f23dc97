#include "ui/svg_picture.h"

namespace scorvale::ui {

// Built without Qt's SVG module: the page is written, the picture is not.
std::optional<QString> saveSvgAsPng(std::string_view, const QString&) {
    return QStringLiteral("この版では画像を保存できません。svltool page --image で SVG を書き出せます。");
}

}  // namespace scorvale::ui
