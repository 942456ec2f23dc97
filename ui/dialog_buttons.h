#pragma once

class QDialog;
class QDialogButtonBox;

namespace scorvale::ui {

// The "OK" (default) and "ｷｬﾝｾﾙ" pair every dialog ends with, wired to
// accept and reject; the buttons are named "ok" and "cancel" for tests.
QDialogButtonBox* okCancelButtons(QDialog* dialog);

}  // namespace scorvale::ui
