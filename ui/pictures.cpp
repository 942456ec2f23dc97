#include "ui/pictures.h"

#include <QDir>

namespace scorvale::ui {

QIcon programPicture(const QString& name) {
#ifdef SCORVALE_PNG_PICTURES
    // Each rendering is NAME-SIZE.png; the icon takes each at its own size.
    QIcon icon;
    const QDir resources(QStringLiteral(":/scorvale"));
    for (const QString& file : resources.entryList({name + QStringLiteral("-*.png")}, QDir::Files))
        icon.addFile(resources.filePath(file));
    return icon;
#else
    return QIcon(QStringLiteral(":/scorvale/%1.svg").arg(name));
#endif
}

}  // namespace scorvale::ui
