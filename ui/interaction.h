#pragma once

#include <QString>
#include <optional>

class QDialog;

namespace scorvale::ui {

// Everything a command flow asks of the user goes through this one narrow
// interface, so tests can script the answers and see every message.
class Interaction {
public:
    enum class Icon { None, Information, Question, Warning };
    enum class Answer { Yes, No, Cancel };

    virtual ~Interaction() = default;

    // Runs `dialog` modally; true when it ended with OK.
    virtual bool runDialog(QDialog& dialog) = 0;
    // A file to open, or nothing when cancelled. `filter` is a Qt name filter ("svl (*.svl)");
    // the dialog starts in `folder` (empty: where the toolkit's dialog starts).
    virtual std::optional<QString> chooseOpenFile(const QString& filter, const QString& folder) = 0;
    // A file to save; asks before overwriting; `defaultSuffix` is added to a name without one.
    virtual std::optional<QString> chooseSaveFile(const QString& filter, const QString& defaultSuffix,
                                                  const QString& initialPath) = 0;
    // Yes/No with the question icon; true for Yes.
    virtual bool askYesNo(const QString& caption, const QString& text) = 0;
    // Yes/No/Cancel with the question icon.
    virtual Answer askYesNoCancel(const QString& caption, const QString& text) = 0;
    // A message with only an OK button.
    virtual void tell(Icon icon, const QString& caption, const QString& text) = 0;
};

}  // namespace scorvale::ui
