#include "ui/app_setup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>

#include "ui/pictures.h"

#ifdef Q_OS_WIN
#include "platform/registry_snapshot.h"
#endif

// The pictures live in this static library; the macro cannot sit in a namespace.
static void initResources() { Q_INIT_RESOURCE(scorvale); }

namespace scorvale::ui {

void keepToolkitSettingsWithinTheRun() {
    // Nothing is remembered between runs. Qt's own file dialog keeps its
    // history in the user's QtProject.conf; its settings go to a folder of
    // this run instead, removed when the program ends, so the history still
    // serves within the run.
#ifdef Q_OS_WIN
    // Except on Windows, where the file dialog's settings are in the registry
    // whatever setPath says, under a key every Qt program shares: what it
    // writes there is put back as it was when the program ends.
    static const platform::RegistryKeyKeptAsFound registry(L"Software\\QtProject\\OrganizationDefaults\\FileDialog");
#endif
    static QTemporaryDir folder;
    if (!folder.isValid()) return;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}

void setUpApplication(QApplication& app) {
    initResources();
    keepToolkitSettingsWithinTheRun();
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    QFont font(QStringLiteral("IPAPGothic"), 9);
    // Then Windows' own Japanese interface fonts, where the IPA font is not installed.
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Yu Gothic UI"),
                      QStringLiteral("Meiryo UI")});
    QApplication::setFont(font);
    QApplication::setWindowIcon(programPicture(QStringLiteral("icon")));
}

}  // namespace scorvale::ui
