// The real program under a headless Weston with Qt's native Wayland plugin, where a window mask
// only limits input: the screenshot must show the desktop in the rounded-off corners, and the
// frame and title drawn inside them.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <optional>

namespace {

const QColor kDesktop(0, 255, 0);  // the background weston.ini below gives the desktop
const QColor kFrameLine(0x2f, 0x4a, 0x55);
const QSize kWindow(251, 404);

// Runs `program` under `timeout`, so that nothing here can outlive the test.
void Start(QProcess& process, const QString& program, const QStringList& arguments,
           const QProcessEnvironment& env, int seconds) {
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("timeout"),
                  QStringList{QString::number(seconds), program} + arguments);
}

void Stop(QProcess& process) {
    if (process.state() != QProcess::NotRunning) {
        process.terminate();
        if (!process.waitForFinished(3000)) {
            process.kill();
            process.waitForFinished(3000);
        }
    }
}

// The window's top-left corner: the frame's outer line runs all round it, so the smallest
// rectangle holding every pixel of that colour is the window.
std::optional<QRect> FindWindow(const QImage& shot) {
    QRect box;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (shot.pixelColor(x, y) == kFrameLine) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    if (box.size() != kWindow) {
        return std::nullopt;
    }
    return box;
}

// A skip counts as a pass; where CI has installed Weston, not running it is a fault.
#define CANNOT_RUN(why)                           \
    do {                                          \
        if (qEnvironmentVariable("CI") == "true") \
            FAIL() << why;                        \
        else                                      \
            GTEST_SKIP() << why;                  \
    } while (false)

class WaylandWindow : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"weston", "weston-screenshooter", "timeout"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
                CANNOT_RUN(tool << " is not installed (Debian: weston)");
            }
        }
        ASSERT_TRUE(runtime.isValid());
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile ini(runtime.filePath(QStringLiteral("weston.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(
            "[core]\nidle-time=0\n[shell]\nbackground-color=0xff00ff00\n"
            "panel-position=none\nstartup-animation=none\n");  // no fade-in to tint a screenshot
        ini.close();

        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("quillet-test"));
        env.remove(QStringLiteral("DISPLAY"));
        // --use-pixman: without it the headless backend can spin looking for a renderer.
        Start(weston, QStringLiteral("weston"),
              {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--use-pixman"),
               QStringLiteral("--socket=quillet-test"), QStringLiteral("--debug"),
               QStringLiteral("--width=800"), QStringLiteral("--height=700"),
               QStringLiteral("--config=") + ini.fileName()},
              env, 90);
        const QString socket = runtime.filePath(QStringLiteral("quillet-test"));
        const QDeadlineTimer deadline(10000);
        while (!QFile::exists(socket) && weston.state() != QProcess::NotRunning &&
               !deadline.hasExpired()) {
            QThread::msleep(50);
        }
        if (!QFile::exists(socket)) {
            Stop(weston);
            CANNOT_RUN("Weston could not start here:\n"
                       << weston.readAll().right(2000).toStdString());
        }
    }

    void TearDown() override {
        Stop(quillet);
        Stop(weston);
    }

    // A screenshot of the whole output, or a null image.
    QImage Screenshot() {
        QDir dir(runtime.path());
        for (const QString& old : dir.entryList({QStringLiteral("wayland-screenshot-*.png")})) {
            dir.remove(old);
        }
        QProcess shooter;
        shooter.setWorkingDirectory(runtime.path());
        Start(shooter, QStringLiteral("weston-screenshooter"), {}, env, 10);
        shooter.waitForFinished(15000);
        const QStringList shots = dir.entryList({QStringLiteral("wayland-screenshot-*.png")});
        return shots.isEmpty() ? QImage() : QImage(dir.filePath(shots.first()));
    }

    QTemporaryDir runtime;
    QProcessEnvironment env;
    QProcess weston;
    QProcess quillet;
};

TEST_F(WaylandWindow, CornersShowTheDesktopAndTheFrameIsDrawn) {
    QProcessEnvironment child = env;
    child.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    child.remove(QStringLiteral("QT_SCALE_FACTOR"));
    Start(quillet, QStringLiteral(QUILLET_BINARY), {}, child, 60);

    QImage shot;
    std::optional<QRect> window;
    const QDeadlineTimer deadline(20000);
    while (!window && !deadline.hasExpired() && quillet.state() != QProcess::NotRunning) {
        QThread::msleep(300);
        shot = Screenshot();
        window = FindWindow(shot);
    }
    ASSERT_TRUE(window.has_value()) << "no window on screen; quillet said:\n"
                                    << quillet.readAll().toStdString();

    const int w = kWindow.width();
    const int h = kWindow.height();
    auto at = [&](int x, int y) { return shot.pixelColor(window->topLeft() + QPoint(x, y)); };
    // The rounded-off corners: the desktop, not a square block of window.
    for (const QPoint corner : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(w - 1, 0),
                                QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(w - 2, h - 1)}) {
        EXPECT_EQ(at(corner.x(), corner.y()), kDesktop) << corner.x() << "," << corner.y();
    }
    // The outline just inside them, and the straight edges, are the frame's line.
    for (const QPoint line :
         {QPoint(2, 0), QPoint(1, 1), QPoint(0, 2), QPoint(w / 2, 0), QPoint(0, h / 2),
          QPoint(w - 1, h / 2), QPoint(w / 2, h - 1), QPoint(w - 2, h - 2)}) {
        EXPECT_EQ(at(line.x(), line.y()), kFrameLine) << line.x() << "," << line.y();
    }
    // The title band: the printed title, and the caption buttons drawn from the picture.
    int titleInk = 0;
    for (int y = 4; y < 18; ++y) {
        for (int x = 30; x < 90; ++x) {
            titleInk += qGray(at(x, y).rgb()) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(titleInk, 20) << "no title at (30, 4)";
    EXPECT_NE(at(w - 90, 8), kDesktop);
    EXPECT_GT(qGray(at(w / 2, 100).rgb()), 200) << "the window's light background";
}

}  // namespace
