#pragma once

class QApplication;

namespace scorvale::ui {

// Japanese standard buttons and file dialogs, the Japanese Gothic UI font and
// the program icon.
void setUpApplication(QApplication& app);

}  // namespace scorvale::ui
