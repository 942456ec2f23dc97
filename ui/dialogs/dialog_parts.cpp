#include "ui/dialogs/dialog_parts.h"

#include <algorithm>

#include <QLineEdit>
#include <QKeyEvent>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTextCursor>

#include "ui/interaction.h"
#include "ui/line_field.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

QLineEdit* makeTextEdit(const char* objectName, int maxBytes, QWidget* parent) {
    return makeLineField(objectName, maxBytes, parent);
}

QLineEdit* makeNumberEdit(const char* objectName, bool rightAligned, QWidget* parent) {
    QLineEdit* edit = makeLineField(objectName, -1, parent);
    if (rightAligned) edit->setAlignment(Qt::AlignRight);
    return edit;
}

QString bareFileName(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}

std::optional<QString> pickImageFileName(Interaction& interaction, const QString& caption) {
    interaction.tell(Interaction::Icon::Information, caption,
                     QStringLiteral("画像ファイルは出力したHTMLファイルと\n同じディレクトリに置いてください。"));
    // One entry that lists every file.
    const auto path = interaction.chooseOpenFile(QStringLiteral("画像ファイル (*)"));
    if (!path) return std::nullopt;
    return bareFileName(*path);
}

QString toEditorLines(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return lines;
}

QString toStoredLines(const QString& text) {
    QString lines = text;
    lines.replace(u'\n', QStringLiteral("\r\n"));
    return lines;
}

ByteLimitedTextEdit::ByteLimitedTextEdit(int maxBytes, QWidget* parent) : QPlainTextEdit(parent), maxBytes_(maxBytes) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

void ByteLimitedTextEdit::setStoredText(const std::string& sjis) {
    original_ = sjis;
    setPlainText(toEditorLines(fromSjis(sjis)));
    // What the editor made of it: it turns a lone CR into a line end too.
    shownAtFill_ = toPlainText();
}

std::optional<std::string> ByteLimitedTextEdit::storedText() const {
    const QString shown = toPlainText();
    if (shown == shownAtFill_) return original_;
    return toSjis(toStoredLines(shown));
}

int ByteLimitedTextEdit::storedByteCount() const {
    if (const auto bytes = storedText()) return static_cast<int>(bytes->size());
    return sjisByteCount(toStoredLines(toPlainText()));
}

template <typename Edit>
void ByteLimitedTextEdit::guarded(Edit edit) {
    const QString before = toPlainText();
    const int beforeBytes = sjisByteCount(toStoredLines(before));
    const int cursorBefore = textCursor().position();
    edit();
    const int afterBytes = sjisByteCount(toStoredLines(toPlainText()));
    if (afterBytes > maxBytes_ && afterBytes > beforeBytes) {
        setPlainText(before);
        QTextCursor cursor(document());
        cursor.setPosition(std::min(cursorBefore, static_cast<int>(before.size())));
        setTextCursor(cursor);
    }
}

void ByteLimitedTextEdit::keyPressEvent(QKeyEvent* event) {
    guarded([&] { QPlainTextEdit::keyPressEvent(event); });
}

void ByteLimitedTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    guarded([&] { QPlainTextEdit::inputMethodEvent(event); });
}

void ByteLimitedTextEdit::insertFromMimeData(const QMimeData* source) {
    guarded([&] { QPlainTextEdit::insertFromMimeData(source); });
}

}  // namespace scorvale::ui
