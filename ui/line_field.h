#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;
class QWidget;

namespace scorvale::ui {

// `text` with every line break (CR LF, a lone CR, a lone LF) made one space;
// `position`, when given, is moved along with the text before it.
QString oneLineText(const QString& text, int* position = nullptr);

// Keeps a one-line field one line: a line break that is typed, pasted or set
// becomes a space. Refuses input that would make the field longer than
// `maxBytes` Shift-JIS bytes (< 0: no limit).
class LineFieldValidator : public QValidator {
public:
    LineFieldValidator(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}
    State validate(QString& input, int& pos) const override;

private:
    int maxBytes_;
};

// Every one-line field of the program's dialogs, the password fields too:
// one line (LineFieldValidator), and a text of any length shown whole, where
// QLineEdit would cut it at 32,767 characters.
QLineEdit* makeLineField(const char* objectName, int maxBytes, QWidget* parent);

}  // namespace scorvale::ui
