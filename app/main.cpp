#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <optional>

#include "scorvale/version.h"
#include "ui/app_setup.h"
#include "ui/core_path.h"
#include "ui/main_window.h"
#include "ui/qt_interaction.h"

namespace {

// The program's own arguments. A single dash starts a word, as in Qt's own
// options (-platform, -style), so that "-reverse" is never read as -r -e -v…
void defineArguments(QCommandLineParser& arguments) {
    QCoreApplication::setApplicationName(QStringLiteral("scorvale"));
    QCoreApplication::setApplicationVersion(QLatin1String(scorvale::kVersion));
    arguments.setApplicationDescription(QStringLiteral("Keeps a betting pool on a tournament."));
    arguments.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("a game file (.svl) to open at start"),
                                    QStringLiteral("[FILE]"));
}

// --help and --version answer and end here, before a window system is
// needed; the toolkit's options, which only QApplication knows, are let pass.
void answerHelpOrVersion(int& argc, char** argv) {
    QCoreApplication probe(argc, argv);
    QCommandLineParser arguments;
    defineArguments(arguments);
    (void)arguments.parse(QCoreApplication::arguments());
    const QString program = QCoreApplication::arguments().constFirst();
    for (const char* option : {"help-all", "help", "version"})
        if (arguments.isSet(QLatin1String(option))) arguments.process({program, QLatin1String("--") + QLatin1String(option)});
}

// The game file named on the command line, if any, once QApplication has
// taken its own options out of the arguments; anything else is refused.
std::optional<QString> fileArgument(const QApplication& app) {
    QCommandLineParser arguments;
    defineArguments(arguments);
    arguments.process(app);
    if (arguments.positionalArguments().isEmpty()) return std::nullopt;
    return arguments.positionalArguments().constFirst();
}

}  // namespace

int main(int argc, char* argv[]) {
    answerHelpOrVersion(argc, argv);
    QApplication app(argc, argv);
    const std::optional<QString> file = fileArgument(app);
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
