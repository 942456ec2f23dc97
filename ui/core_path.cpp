#include "ui/core_path.h"

#include <QFile>

namespace scorvale::ui {

#ifdef _WIN32
std::string corePath(const QString& path) { return path.toStdString(); }
QString qtPath(const std::string& path) { return QString::fromStdString(path); }
#else
std::string corePath(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString qtPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
#endif

}  // namespace scorvale::ui
