#include "app/app_setup.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quillet::app {

void SetDefaultFont(QApplication& app) {
    QFont font = app.font();
    // Noto Sans CJK SC comes with fonts-noto-cjk; the rest are what other desktops ship.
    font.setFamilies({"Noto Sans CJK SC", "Noto Sans SC", "Source Han Sans SC",
                      "WenQuanYi Micro Hei", "WenQuanYi Zen Hei", "Droid Sans Fallback"});
    font.setPointSize(9);
    font.setWeight(QFont::Normal);
    app.setFont(font);
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
