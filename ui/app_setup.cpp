#include "ui/app_setup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// The pictures live in this static library; the macro cannot sit in a namespace.
static void initResources() { Q_INIT_RESOURCE(scorvale); }

namespace scorvale::ui {

void setUpApplication(QApplication& app) {
    initResources();
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    QFont font(QStringLiteral("IPAPGothic"), 9);
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    QApplication::setFont(font);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/scorvale/icon.svg")));
}

}  // namespace scorvale::ui
