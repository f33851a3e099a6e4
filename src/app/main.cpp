#include <QApplication>
#include <QTranslator>

#include "app/app_setup.h"
#include "app/frm_main.h"
#include "platform/platform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setDesktopFileName(QStringLiteral("quillet"));

    QTranslator qtTranslation;
    quillet::app::InstallQtTranslation(app, qtTranslation);
    quillet::app::SetDefaultFont(app);

    quillet::app::FrmMain window(quillet::platform::DesktopPlatform());
    window.show();
    return QApplication::exec();
}
