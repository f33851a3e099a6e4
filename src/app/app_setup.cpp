#include "app/app_setup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

#include "texts/qt_texts.h"

namespace quillet::app {

void SetDefaultFont(QApplication& app) {
    QFont font = app.font();
    font.setFamilies(SongFaces());
    font.setPointSize(9);
    font.setWeight(QFont::Normal);
    app.setFont(font);
}

void UseIconTheme() {
    // Without a desktop theme (a bare X session, Xvfb, offscreen) Qt names no theme and
    // searches none of the XDG data folders; hicolor there is where every icon is installed.
    if (QIcon::themeName().isEmpty()) {
        QIcon::setThemeName(QStringLiteral("hicolor"));
    }
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& dir :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                   QStandardPaths::LocateDirectory)) {
        if (!paths.contains(dir)) {
            paths << dir;
        }
    }
    QIcon::setThemeSearchPaths(paths);
}

bool InstallQtTranslation(QApplication& app, QTranslator& translator) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    if (!translator.load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    app.installTranslator(&translator);
    return true;
}

}  // namespace quillet::app
