#include <QApplication>
#include <QTranslator>
#include <algorithm>
#include <iostream>
#include <string_view>
#include <vector>

#include "app/app_setup.h"
#include "app/command_line.h"
#include "app/frm_main.h"
#include "app/skin/skin_pictures.h"
#include "platform/platform.h"

namespace {

std::vector<std::string_view> ArgumentsOf(int argc, char* argv[]) {
    return {argv + std::min(argc, 1), argv + argc};
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const auto status = quillet::app::AnswerOwnOption(ArgumentsOf(argc, argv), std::cout)) {
        return *status;
    }
    QApplication app(argc, argv);  // takes Qt's own options out of argc and argv
    if (const auto status = quillet::app::RefuseLeftovers(ArgumentsOf(argc, argv), std::cerr)) {
        return *status;
    }
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
