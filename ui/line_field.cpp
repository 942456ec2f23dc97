#include "ui/line_field.h"

#include <QLineEdit>
#include <limits>

#include "ui/qt_text.h"

namespace scorvale::ui {

QString oneLineText(const QString& text, int* position) {
    if (!text.contains(u'\r') && !text.contains(u'\n')) return text;
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            // The pair's LF becomes the space.
            if (position && i < *position) --*position;
            continue;
        }
        line += c == u'\r' || c == u'\n' ? QChar(u' ') : c;
    }
    return line;
}

QValidator::State LineFieldValidator::validate(QString& input, int& pos) const {
    input = oneLineText(input, &pos);
    return maxBytes_ < 0 || sjisByteCount(input) <= maxBytes_ ? Acceptable : Invalid;
}

QLineEdit* makeLineField(const char* objectName, int maxBytes, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setValidator(new LineFieldValidator(maxBytes, edit));
    return edit;
}

}  // namespace scorvale::ui
