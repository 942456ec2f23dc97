#pragma once

#include <QString>
#include <string>

namespace scorvale::ui {

// A file name as the core takes it (platform/native_path.h: the local 8-bit
// name on POSIX, UTF-8 on Windows) and back. Every name the window hands to
// the core or shows from it goes through here.
std::string corePath(const QString& path);
QString qtPath(const std::string& path);

}  // namespace scorvale::ui
