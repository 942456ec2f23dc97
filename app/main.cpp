#include <QApplication>

#include "ui/app_setup.h"
#include "ui/main_window.h"
#include "ui/qt_interaction.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    scorvale::ui::setUpApplication(app);
    scorvale::ui::QtInteraction interaction;
    scorvale::ui::MainWindow window(interaction);
    interaction.setParentWidget(&window);
    window.show();
    return QApplication::exec();
}
