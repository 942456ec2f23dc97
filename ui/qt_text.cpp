#include "ui/qt_text.h"

#include "text/sjis_codec.h"

namespace scorvale::ui {

QString fromSjis(std::string_view sjis) {
    const std::string utf8 = sjis::toUtf8(sjis);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString fromUtf8Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> toSjis(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return sjis::fromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

int sjisByteCount(const QString& text) {
    if (const auto bytes = toSjis(text)) return static_cast<int>(bytes->size());
    int count = 0;
    for (const QChar c : text) count += c.unicode() < 0x80 ? 1 : 2;
    return count;
}

}  // namespace scorvale::ui
