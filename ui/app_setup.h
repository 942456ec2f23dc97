#pragma once

class QApplication;

namespace scorvale::ui {

// Japanese standard buttons and file dialogs, the Japanese Gothic UI font and
// the program icon.
void setUpApplication(QApplication& app);
// The toolkit's own settings (the file dialog's history) live in a folder of
// this run and go with it. Part of setUpApplication; tests call it alone.
void keepToolkitSettingsWithinTheRun();

}  // namespace scorvale::ui
