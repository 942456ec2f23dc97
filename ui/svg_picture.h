#pragma once

#include <QString>
#include <optional>
#include <string_view>

namespace scorvale::ui {

// Paints `svg` (UTF-8) at its own size on white and saves it as a PNG at
// `path`, replacing the file only once the picture is whole. Nothing on
// success, else why it failed.
std::optional<QString> saveSvgAsPng(std::string_view svg, const QString& path);

}  // namespace scorvale::ui
