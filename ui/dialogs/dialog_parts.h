#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <optional>
#include <string>

#include "model/text_field.h"

class QLineEdit;
class QWidget;

namespace scorvale::ui {

class Interaction;

// The bytes a text of a team or member record holds.
inline constexpr int kTextFieldBytes = static_cast<int>(TextField::kMaxBytes);

// A one-line field (see makeLineField) that refuses typing beyond `maxBytes`
// Shift-JIS bytes (< 0: no limit).
QLineEdit* makeTextEdit(const char* objectName, int maxBytes, QWidget* parent);
// A field for a whole number.
QLineEdit* makeNumberEdit(const char* objectName, bool rightAligned, QWidget* parent);

// The file's name without its folder ("C:\images\flag.gif" gives "flag.gif").
QString bareFileName(const QString& path);

// The image pickers: the hint to put the image beside the page under
// `caption`, then the open-file dialog; the bare name of the chosen file.
std::optional<QString> pickImageFileName(Interaction& interaction, const QString& caption);

// A multi-line text in the model's form: CR LF line ends.
QString toEditorLines(const QString& text);
QString toStoredLines(const QString& text);

// A multi-line field that refuses every edit that would make it longer than
// `maxBytes` Shift-JIS bytes (a line end counts as CR LF). A longer text it
// was filled with stays until the user shortens it.
class ByteLimitedTextEdit : public QPlainTextEdit {
public:
    ByteLimitedTextEdit(int maxBytes, QWidget* parent);
    // Fills the field; the filled text is what "unchanged" means at OK.
    void setStoredText(const std::string& sjis);
    // The stored bytes: the original ones when the text was not edited,
    // nothing when a character has no Shift-JIS form.
    std::optional<std::string> storedText() const;
    int storedByteCount() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Runs one user edit and takes it back when it grows the text beyond the limit.
    template <typename Edit>
    void guarded(Edit edit);

    int maxBytes_;
    std::string original_;
    QString shownAtFill_;
};

}  // namespace scorvale::ui
