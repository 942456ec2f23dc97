#pragma once

#include "ui/interaction.h"

class QWidget;

namespace scorvale::ui {

// The real user: modal dialogs, Qt's own (non-native) file dialogs and
// message boxes with Japanese buttons.
class QtInteraction : public Interaction {
public:
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    bool runDialog(QDialog& dialog) override;
    std::optional<QString> chooseOpenFile(const QString& filter, const QString& folder) override;
    std::optional<QString> chooseSaveFile(const QString& filter, const QString& defaultSuffix,
                                          const QString& initialPath) override;
    bool askYesNo(const QString& caption, const QString& text) override;
    Answer askYesNoCancel(const QString& caption, const QString& text) override;
    void tell(Icon icon, const QString& caption, const QString& text) override;

private:
    QWidget* parent_ = nullptr;
};

}  // namespace scorvale::ui
