#include "ui/app_setup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>

// The pictures live in this static library; the macro cannot sit in a namespace.
static void initResources() { Q_INIT_RESOURCE(scorvale); }

namespace scorvale::ui {

#ifdef Q_OS_WIN
namespace {

// On Windows the file dialog's settings are in the registry, which setPath
// cannot move (its store is fixed for them). What it writes there is put back
// as it was when the program ends: the key is shared by every Qt program.
class FileDialogRegistryKeptAsFound {
public:
    FileDialogRegistryKeptAsFound() {
        QSettings qt(QSettings::UserScope, organization());
        existed_ = qt.childGroups().contains(group());
        qt.beginGroup(group());
        for (const QString& key : qt.allKeys()) values_.insert(key, qt.value(key));
    }
    ~FileDialogRegistryKeptAsFound() {
        {
            QSettings qt(QSettings::UserScope, organization());
            qt.remove(group());
            qt.beginGroup(group());
            for (auto it = values_.cbegin(); it != values_.cend(); ++it) qt.setValue(it.key(), it.value());
            qt.endGroup();
            if (existed_ || !qt.allKeys().isEmpty()) return;
        }
        QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat).remove(organization());
    }
    FileDialogRegistryKeptAsFound(const FileDialogRegistryKeptAsFound&) = delete;
    FileDialogRegistryKeptAsFound& operator=(const FileDialogRegistryKeptAsFound&) = delete;

private:
    static QString organization() { return QStringLiteral("QtProject"); }
    static QString group() { return QStringLiteral("FileDialog"); }
    bool existed_ = false;
    QVariantMap values_;
};

}  // namespace
#endif

void keepToolkitSettingsWithinTheRun() {
    // Nothing is remembered between runs. Qt's own file dialog keeps its
    // history in the user's QtProject.conf; its settings go to a folder of
    // this run instead, removed when the program ends, so the history still
    // serves within the run.
#ifdef Q_OS_WIN
    static const FileDialogRegistryKeptAsFound registry;
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
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/scorvale/icon.svg")));
}

}  // namespace scorvale::ui
