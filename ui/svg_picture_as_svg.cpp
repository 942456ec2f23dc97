#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "ui/svg_picture.h"

namespace scorvale::ui {

// Qt for Windows is built here without its SVG module, so nothing paints the
// drawing: it is saved as it is, under the picture's name with .svg instead
// of .png (browsers and Windows' own viewers show it), whole or not at all.
std::optional<QString> saveSvgAsPng(std::string_view svg, const QString& path) {
    const QFileInfo png(path);
    QSaveFile file(png.dir().filePath(png.completeBaseName() + QStringLiteral(".svg")));
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(svg.data(), static_cast<qint64>(svg.size())) != static_cast<qint64>(svg.size()) || !file.commit())
        return file.errorString();
    return std::nullopt;
}

}  // namespace scorvale::ui
