#include "tests/support/scripted_interaction.h"

namespace scorvale::testing {

std::optional<QString> ScriptedInteraction::nextFileAnswer() {
    QString path;
    bool chosen = false;
    if (!fileAnswers.empty()) {
        chosen = fileAnswers.front().has_value();
        if (chosen) path = *fileAnswers.front();
        fileAnswers.pop_front();
    }
    if (!chosen) return std::nullopt;
    return path;
}

bool ScriptedInteraction::runDialog(QDialog& dialog) {
    dialogTitles.push_back(dialog.windowTitle());
    if (dialogAnswers.empty()) return false;
    const auto answer = std::move(dialogAnswers.front());
    dialogAnswers.pop_front();
    // A dialog decides its values in accept(): let it, as OK would.
    if (!answer(dialog)) return false;
    dialog.accept();
    return dialog.result() == QDialog::Accepted;
}

std::optional<QString> ScriptedInteraction::chooseOpenFile(const QString& filter, const QString& folder) {
    fileRequests.push_back({false, filter, {}, {}, folder});
    return nextFileAnswer();
}

std::optional<QString> ScriptedInteraction::chooseSaveFile(const QString& filter, const QString& defaultSuffix,
                                                           const QString& initialPath) {
    fileRequests.push_back({true, filter, defaultSuffix, initialPath});
    return nextFileAnswer();
}

bool ScriptedInteraction::askYesNo(const QString& caption, const QString& text) {
    questions.push_back({Icon::Question, caption, text});
    if (yesNoAnswers.empty()) return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

ui::Interaction::Answer ScriptedInteraction::askYesNoCancel(const QString& caption, const QString& text) {
    questions.push_back({Icon::Question, caption, text});
    if (yesNoCancelAnswers.empty()) return Answer::Cancel;
    const Answer answer = yesNoCancelAnswers.front();
    yesNoCancelAnswers.pop_front();
    return answer;
}

void ScriptedInteraction::tell(Icon icon, const QString& caption, const QString& text) {
    messages.push_back({icon, caption, text});
}

}  // namespace scorvale::testing
