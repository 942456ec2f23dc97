#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <optional>

#include "ui/app_setup.h"
#include "ui/core_path.h"
#include "ui/main_window.h"
#include "ui/qt_interaction.h"

namespace {

// The game file named on the command line, if any. --help and --version
// answer and end here, before a window system is needed.
std::optional<QString> fileArgument(int& argc, char** argv) {
    QCoreApplication probe(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("scorvale"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.3.3.0"));
    QCommandLineParser arguments;
    arguments.setApplicationDescription(QStringLiteral("Keeps a betting pool on a tournament."));
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("a game file (.svl) to open at start"),
                                    QStringLiteral("[FILE]"));
    arguments.process(probe);
    if (arguments.positionalArguments().isEmpty()) return std::nullopt;
    return arguments.positionalArguments().constFirst();
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::optional<QString> file = fileArgument(argc, argv);
    QApplication app(argc, argv);
    scorvale::ui::setUpApplication(app);
    scorvale::ui::QtInteraction interaction;
    scorvale::ui::MainWindow window(interaction);
    interaction.setParentWidget(&window);
    window.show();
    // Opened as a new load once the window is up, so that a message about
    // the file stands over it.
    if (file) {
        const std::string path = scorvale::ui::corePath(*file);
        QTimer::singleShot(0, &window, [&window, path] { window.controller().openAtStart(path); });
    }
    return QApplication::exec();
}
