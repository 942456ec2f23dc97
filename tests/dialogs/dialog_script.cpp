#include "tests/dialogs/dialog_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace scorvale::testing {

namespace {
std::optional<QString> take(std::deque<std::optional<QString>>& queue) {
    std::optional<QString> answer;
    if (queue.front()) answer = *queue.front();
    queue.pop_front();
    return answer;
}
}  // namespace

bool DialogScript::runDialog(QDialog& dialog) {
    if (dialogs_.empty()) {
        unexpected << QStringLiteral("dialog ") + dialog.windowTitle();
        return false;
    }
    DialogStep step = std::move(dialogs_.front());
    dialogs_.pop_front();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    step(dialog);
    if (dialog.isVisible()) dialog.reject();
    return dialog.result() == QDialog::Accepted;
}

std::optional<QString> DialogScript::chooseOpenFile(const QString& filter, const QString& folder) {
    openRequests << filter;
    openFolders << folder;
    if (openFiles_.empty()) {
        unexpected << QStringLiteral("open file");
        return std::nullopt;
    }
    return take(openFiles_);
}

std::optional<QString> DialogScript::chooseSaveFile(const QString& filter, const QString& defaultSuffix,
                                                    const QString& initialPath) {
    saveRequests << filter + u'|' + defaultSuffix + u'|' + initialPath;
    if (saveFiles_.empty()) {
        unexpected << QStringLiteral("save file");
        return std::nullopt;
    }
    return take(saveFiles_);
}

bool DialogScript::askYesNo(const QString& caption, const QString& text) {
    questions.push_back({Icon::Question, caption, text});
    if (yesNos_.empty()) {
        unexpected << QStringLiteral("question ") + text;
        return false;
    }
    const bool answer = yesNos_.front();
    yesNos_.pop_front();
    return answer;
}

ui::Interaction::Answer DialogScript::askYesNoCancel(const QString& caption, const QString& text) {
    questions.push_back({Icon::Question, caption, text});
    unexpected << QStringLiteral("question ") + text;
    return Answer::Cancel;
}

void DialogScript::tell(Icon icon, const QString& caption, const QString& text) {
    messages.push_back({icon, caption, text});
}

void click(QWidget& parent, const char* name) { child<QAbstractButton>(parent, name)->click(); }

void type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
}

void retype(QLineEdit* field, const QString& text) {
    field->clear();
    type(field, text);
}

}  // namespace scorvale::testing
