#include "ui/qt_interaction.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace scorvale::ui {

bool QtInteraction::runDialog(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

std::optional<QString> QtInteraction::chooseOpenFile(const QString& filter, const QString& folder) {
    QFileDialog dialog(parent_);
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtInteraction::chooseSaveFile(const QString& filter, const QString& defaultSuffix,
                                                     const QString& initialPath) {
    QFileDialog dialog(parent_);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!initialPath.isEmpty()) dialog.selectFile(initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool QtInteraction::askYesNo(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

Interaction::Answer QtInteraction::askYesNoCancel(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    parent_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return Answer::Cancel;
    }
}

void QtInteraction::tell(Icon icon, const QString& caption, const QString& text) {
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    if (icon == Icon::Information) boxIcon = QMessageBox::Information;
    if (icon == Icon::Question) boxIcon = QMessageBox::Question;
    if (icon == Icon::Warning) boxIcon = QMessageBox::Warning;
    QMessageBox box(boxIcon, caption, text, QMessageBox::Ok, parent_);
    box.exec();
}

}  // namespace scorvale::ui
