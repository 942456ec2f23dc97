#pragma once

#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/interaction.h"

namespace scorvale::testing {

// Plays the user from a script and records everything the program asked.
// Each dialog answer is a function that may fill the dialog (cast it to the
// expected class) and returns true for OK. An empty script answers Cancel,
// No and "no file", so a test sees every unexpected question as a refusal.
class ScriptedInteraction : public ui::Interaction {
public:
    struct Message {
        Icon icon;
        QString caption;
        QString text;
        bool operator==(const Message&) const = default;
    };
    struct FileRequest {
        bool save;
        QString filter;
        QString defaultSuffix;
        QString initialPath;
        QString folder;  // where an open dialog starts
    };

    std::deque<std::function<bool(QDialog&)>> dialogAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<bool> yesNoAnswers;
    std::deque<Answer> yesNoCancelAnswers;

    std::vector<QString> dialogTitles;   // window titles of the dialogs run
    std::vector<FileRequest> fileRequests;
    std::vector<Message> questions;      // askYesNo and askYesNoCancel, icon Question
    std::vector<Message> messages;       // tell

    // Convenience answers.
    static std::function<bool(QDialog&)> ok() { return [](QDialog&) { return true; }; }
    static std::function<bool(QDialog&)> cancel() { return [](QDialog&) { return false; }; }

    bool runDialog(QDialog& dialog) override;
    std::optional<QString> chooseOpenFile(const QString& filter, const QString& folder) override;
    std::optional<QString> chooseSaveFile(const QString& filter, const QString& defaultSuffix,
                                          const QString& initialPath) override;
    bool askYesNo(const QString& caption, const QString& text) override;
    // An empty script answers Cancel.
    Answer askYesNoCancel(const QString& caption, const QString& text) override;
    void tell(Icon icon, const QString& caption, const QString& text) override;

private:
    std::optional<QString> nextFileAnswer();
};

}  // namespace scorvale::testing
