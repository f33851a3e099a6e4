#include <QApplication>
#include <QFontInfo>
#include <QIcon>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "app/app_setup.h"
#include "app/frm_main.h"
#include "app/skin/skin_pictures.h"
#include "platform/platform.h"

namespace {

// With QUILLET_STARTUP_CHECK=1 the program says what start-up found and quits once the window
// is up. The package test uses it to prove that an installed copy finds its parts.
void ReportStartup(bool translated) {
    std::printf("translation: %s\n", translated ? "loaded" : "missing");
    std::printf("theme icon: %s\n",
                QIcon::hasThemeIcon(QStringLiteral("quillet")) ? "found" : "missing");
    std::printf("font: %s\n", qPrintable(QFontInfo(QApplication::font()).family()));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setDesktopFileName(QStringLiteral("quillet"));
    quillet::app::StartLoadingPictures();

    QTranslator qtTranslation;
    const bool translated = quillet::app::InstallQtTranslation(app, qtTranslation);
    quillet::app::SetDefaultFont(app);
    quillet::app::UseIconTheme();

    quillet::platform::DesktopPlatform desktop;
    quillet::app::FrmMain window(desktop.Platform());
    window.show();
    if (qEnvironmentVariableIntValue("QUILLET_STARTUP_CHECK") == 1) {
        ReportStartup(translated);
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    }
    return QApplication::exec();
}
