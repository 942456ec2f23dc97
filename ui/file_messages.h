#pragma once

#include <QString>

namespace scorvale {
class FileError;
}

namespace scorvale::ui {

// Why a file could not be read or written, for a message under its path: a
// refused save in the window's words, the system's own reason otherwise.
QString fileErrorReason(const FileError& error);

}  // namespace scorvale::ui
