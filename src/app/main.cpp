#include <QApplication>
#include <QTranslator>
#include <algorithm>
#include <clocale>
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
    std::setlocale(LC_ALL, "");  // as Qt sets it; an echoed argument shows in the user's charset
    const std::vector<std::string_view> arguments = ArgumentsOf(argc, argv);
    if (const auto status = quillet::app::AnswerOwnOption(arguments, std::cout, std::cerr)) {
        return *status;
    }
    if (const auto status = quillet::app::RefuseUnknown(arguments, std::cerr)) {
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
