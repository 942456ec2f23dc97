#include "ui/svg_picture.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

namespace scorvale::ui {

std::optional<QString> saveSvgAsPng(std::string_view svg, const QString& path) {
    QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    if (!renderer.isValid()) return QStringLiteral("画像を描けませんでした。");
    QImage image(renderer.defaultSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        renderer.render(&painter);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        return file.errorString();
    return std::nullopt;
}

}  // namespace scorvale::ui
