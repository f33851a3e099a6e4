// Starts either the real main window or a bare QWidget of the same size, and at its first
// paint prints the time since QUILLET_SPAWN_NS (CLOCK_MONOTONIC, set by the driver just
// before it started this process) and the peak memory, then exits.
#include <sys/resource.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "app/app_setup.h"
#include "app/frm_main.h"
#include "app/skin/skin_pictures.h"
#include "platform/platform.h"

namespace {

long long NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            const long long spawn = qEnvironmentVariable("QUILLET_SPAWN_NS").toLongLong();
            if (qEnvironmentVariableIsSet("QUILLET_PROBE_STAGES")) {
                std::fprintf(stderr, "%-12s %.1f ms\n", "first paint", (NowNs() - spawn) / 1e6);
            }
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            std::printf("%.3f %ld\n", (NowNs() - spawn) / 1e6, usage.ru_maxrss);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const bool bare = argc > 1 && std::strcmp(argv[1], "--bare") == 0;
    const char* bareText = argc > 2 ? argv[2] : "";
    QApplication app(argc, argv);
    FirstPaint probe;
    if (bare) {
        QWidget window;
        window.resize(251, 404);
        // One line of text in the bare window prices Qt's own font machinery: --text in our
        // Chinese face, --ascii in whatever the system gives by default.
        if (std::strcmp(bareText, "--text") == 0) {
            quillet::app::SetDefaultFont(app);
            new QLabel(QStringLiteral("查询域名 example.com"), &window);
        } else if (std::strcmp(bareText, "--ascii") == 0) {
            new QLabel(QStringLiteral("example.com"), &window);
        }
        window.installEventFilter(&probe);
        window.show();
        return QApplication::exec();
    }
    // QUILLET_PROBE_STAGES=1 prints where the time goes, to stderr. What follows mirrors main().
    const bool stages = qEnvironmentVariableIsSet("QUILLET_PROBE_STAGES");
    const long long spawn = qEnvironmentVariable("QUILLET_SPAWN_NS").toLongLong();
    auto stage = [&](const char* name) {
        if (stages) std::fprintf(stderr, "%-12s %.1f ms\n", name, (NowNs() - spawn) / 1e6);
    };
    stage("app");
    quillet::app::StartLoadingPictures();
    QTranslator translation;
    quillet::app::InstallQtTranslation(app, translation);
    stage("translation");
    quillet::app::SetDefaultFont(app);
    stage("font");
    quillet::platform::DesktopPlatform desktop;
    quillet::app::FrmMain window(desktop.Platform());
    stage("window");
    window.installEventFilter(&probe);
    window.show();
    stage("show");
    return QApplication::exec();
}
