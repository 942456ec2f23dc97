#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/interaction.h"

class QLineEdit;

namespace scorvale::testing {

// Answers the dialogs' questions from a script and records every message.
class DialogScript : public ui::Interaction {
public:
    struct Message {
        Icon icon;
        QString caption;
        QString text;
    };
    // Acts on the open dialog; a dialog the step leaves open is cancelled.
    using DialogStep = std::function<void(QDialog&)>;

    DialogScript& dialog(DialogStep step) { return push(dialogs_, std::move(step)); }
    DialogScript& openFile(std::optional<QString> answer) { return push(openFiles_, std::move(answer)); }
    DialogScript& saveFile(std::optional<QString> answer) { return push(saveFiles_, std::move(answer)); }
    DialogScript& yesNo(bool answer) { return push(yesNos_, answer); }

    bool runDialog(QDialog& dialog) override;
    std::optional<QString> chooseOpenFile(const QString& filter, const QString& folder) override;
    std::optional<QString> chooseSaveFile(const QString& filter, const QString& defaultSuffix,
                                          const QString& initialPath) override;
    bool askYesNo(const QString& caption, const QString& text) override;
    // No dialog asks this; it is recorded as unexpected and answered Cancel.
    Answer askYesNoCancel(const QString& caption, const QString& text) override;
    void tell(Icon icon, const QString& caption, const QString& text) override;

    std::vector<Message> messages;
    std::vector<Message> questions;
    QStringList saveRequests;  // "filter|suffix|initial path"
    QStringList openRequests;  // filters
    QStringList openFolders;   // where each open dialog started
    // Calls no step was written for; empty when the script matched the flow.
    QStringList unexpected;
    bool finished() const {
        return dialogs_.empty() && openFiles_.empty() && saveFiles_.empty() && yesNos_.empty() && unexpected.isEmpty();
    }

private:
    template <typename Queue, typename Value>
    DialogScript& push(Queue& queue, Value value) {
        queue.push_back(std::move(value));
        return *this;
    }

    std::deque<DialogStep> dialogs_;
    std::deque<std::optional<QString>> openFiles_;
    std::deque<std::optional<QString>> saveFiles_;
    std::deque<bool> yesNos_;
};

// A named control of `parent`; aborts the test when it is missing.
template <typename Widget>
Widget* child(QWidget& parent, const char* name) {
    auto* found = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (!found) qFatal("no control named %s", name);
    return found;
}

// Clicks the named button (a disabled button ignores it, as the mouse would).
void click(QWidget& parent, const char* name);
// Types `text` key by key, as a keyboard or an input method commit would.
void type(QWidget* field, const QString& text);
// Replaces a one-line field's text by typing (so its validator applies).
void retype(QLineEdit* field, const QString& text);

}  // namespace scorvale::testing
