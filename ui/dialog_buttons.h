#pragma once

class QDialog;
class QDialogButtonBox;
class QPushButton;
class QString;
class QWidget;

namespace scorvale::ui {

// The "OK" (default) and "ｷｬﾝｾﾙ" pair every dialog ends with, wired to
// accept and reject; the buttons are named "ok" and "cancel" for tests.
QDialogButtonBox* okCancelButtons(QDialog* dialog);

// A push button named `objectName` that Enter does not press: in a dialog
// only OK is the default button.
QPushButton* dialogButton(const QString& text, const char* objectName, QWidget* parent);

// The same pair as loose buttons, for a dialog that lays them out with others.
struct OkCancel {
    QPushButton* ok;
    QPushButton* cancel;
};
OkCancel okCancelPair(QDialog* dialog);

}  // namespace scorvale::ui
