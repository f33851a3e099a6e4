// Takes a screenshot of the main window with real results: starts knotd on loopback, runs an
// MX lookup through the window and grabs the screen around it. For the README; run under
// Xvfb with a window manager, or under Weston (see docs/screenshots.sh).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "app/app_setup.h"
#include "app/frm_main.h"
#include "example_zone.h"
#include "platform/platform.h"
#include "support/knot_server.h"

namespace {

void Wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// A Wayland client cannot read the screen, and does not know where its windows are: the
// compositor's own screenshooter takes the whole output, and the crop is what differs from
// the desktop's colour (taken from the output's top-left corner), with a margin of desktop.
bool GrabFromCompositor(const QString& path) {
    QTemporaryDir dir;
    QProcess shooter;
    shooter.setWorkingDirectory(dir.path());
    shooter.start(QStringLiteral("timeout"),
                  {QStringLiteral("10"), QStringLiteral("weston-screenshooter")});
    shooter.waitForFinished(15000);
    const QStringList shots = QDir(dir.path()).entryList({QStringLiteral("*.png")});
    if (shots.isEmpty()) {
        return false;
    }
    const QImage shot(QDir(dir.path()).filePath(shots.first()));
    const QRgb desktop = shot.pixel(0, 0);
    QRect box;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (shot.pixel(x, y) != desktop) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return !box.isEmpty() && shot.copy(box.adjusted(-12, -12, 12, 12)).save(path);
}

bool Grab(QWidget& window, const QString& path) {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return GrabFromCompositor(path);
    }
    const QRect area = window.frameGeometry().adjusted(-12, -12, 12, 12);
    const QPixmap shot =
        window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return shot.save(path);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s window.png [about.png]\n", argv[0]);
        return 2;
    }
    QTranslator translation;
    quillet::app::InstallQtTranslation(app, translation);
    quillet::app::SetDefaultFont(app);

    // The address shows in the server list: the same in every screenshot.
    quillet::testing::KnotServer server(QHostAddress::LocalHost);
    if (const QString error = server.Start("example.com", kExampleZone); !error.isEmpty()) {
        std::fprintf(stderr, "knotd: %s\n", qPrintable(error));
        return 1;
    }
    quillet::app::ServerSettings settings;
    settings.servers = {"127.0.0.1", "127.0.0.1", "127.0.0.1", "127.0.0.1"};
    settings.port = server.port();
    quillet::platform::DesktopPlatform desktop;
    quillet::app::FrmMain window(desktop.Platform(), settings);
    window.show();
    Wait(500);
    window.Txt_Domain->setText("example.com");
    window.CMD_Send->click();
    Wait(500);
    if (window.List_Show->count() == 0) {
        std::fprintf(stderr, "no rows\n");
        return 1;
    }
    window.List_Show->setCurrentRow(1);
    Wait(300);
    if (!Grab(window, QString::fromLocal8Bit(argv[1]))) {
        return 1;
    }
    if (argc < 3) {
        return 0;
    }
    // The about box is modal: grab it from inside its own event loop, then close it.
    bool grabbed = false;
    QTimer::singleShot(800, [&] {
        if (QWidget* about = QApplication::activeModalWidget()) {
            grabbed = Grab(*about, QString::fromLocal8Bit(argv[2]));
            about->close();
        }
    });
    window.ShowAboutBox();
    return grabbed ? 0 : 1;
}
