#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace scorvale::ui {

// The one place where the model's Shift-JIS bytes meet Qt's Unicode.
QString fromSjis(std::string_view sjis);
// UTF-8 text (the imports' reports and file names) to Qt's Unicode.
QString fromUtf8Text(std::string_view utf8);
// Nothing when a character has no Shift-JIS form.
std::optional<std::string> toSjis(const QString& text);
// Shift-JIS bytes of `text`, counting an unencodable character as two bytes.
int sjisByteCount(const QString& text);

}  // namespace scorvale::ui
