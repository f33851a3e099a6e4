#include <QApplication>
#include <QTranslator>

#include "app/app_setup.h"
#include "app/frm_main.h"
#include "app/skin/skin_pictures.h"
#include "platform/platform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setDesktopFileName(QStringLiteral("quillet"));
    quillet::app::StartLoadingPictures();

    QTranslator qtTranslation;
    // Without Qt's translation only its own buttons stay in English; the program runs on.
    quillet::app::InstallQtTranslation(app, qtTranslation);
    quillet::app::SetDefaultFont(app);
    quillet::app::UseIconTheme();

    quillet::platform::DesktopPlatform desktop;
    quillet::app::FrmMain window(desktop.Platform());
    window.show();
    return QApplication::exec();
}
