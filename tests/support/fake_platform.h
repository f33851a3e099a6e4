#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QRegion>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace quillet::testing {

struct ShownMessage {
    QString text;
    QString title;
    platform::MessageIcon icon;
};

class RecordingMessageBoxes final : public platform::MessageBoxes {
public:
    void Show(QWidget* parent, const QString& text, const QString& title,
              platform::MessageIcon icon) override {
        shown.push_back({text, title, icon});
        if (!whileOpen) return;
        // A modal window for real, as the Save dialog's: the test closes it by returning.
        QDialog box(parent);
        QTimer::singleShot(0, &box, [&] {
            maxDepth = std::max(maxDepth, ++depth);
            whileOpen();
            --depth;
            box.reject();
        });
        box.exec();
    }
    std::vector<ShownMessage> shown;
    std::function<void()> whileOpen;  // set: runs inside the box's own event loop
    int depth = 0;
    int maxDepth = 0;
};

class RecordingUrlOpener final : public platform::UrlOpener {
public:
    void Open(const QString& address) override { opened << address; }
    QStringList opened;
};

struct StartedProcess {
    QString program;
    QStringList arguments;
};

class RecordingProcessLauncher final : public platform::ProcessLauncher {
public:
    bool StartDetached(const QString& program, const QStringList& arguments) override {
        started.push_back({program, arguments});
        return true;
    }
    QString FindExecutable(const QString& name) const override {
        return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
    }
    std::vector<StartedProcess> started;
    QSet<QString> installed;  // found in /usr/bin
};

class ScriptedSaveDialog final : public platform::SaveDialog {
public:
    std::optional<QString> AskPath(QWidget* parent,
                                   const platform::SaveDialogOptions& shown) override {
        ++asked;
        options = shown;
        if (whileOpen) {
            // A modal window for real, so that whatever asks about modality sees it.
            QDialog dialog(parent);
            QTimer::singleShot(0, &dialog, [&] {
                whileOpen();
                dialog.reject();
            });
            dialog.exec();
        }
        return answer;
    }
    std::optional<QString> answer;    // nothing: the user cancels
    std::function<void()> whileOpen;  // set: runs inside the dialog's own event loop
    int asked = 0;
    platform::SaveDialogOptions options;  // of the last time it was shown
};

// Records what the window asks of the window system; `accept` decides whether it lets the
// window system's own move and resize loops start, `compositor` whether it behaves as
// Wayland does (the mask limits input only, and windows are placed by the compositor).
// `frame` is announced around a window once it is shown, as an X11 window manager does.
class FakeWindowSystem final : public platform::WindowSystem {
public:
    struct Start {
        bool move;
        Qt::Edges edges;
        bool operator==(const Start&) const = default;
    };

    void SetShape(QWidget&, const QRegion& shape) override { shapes.push_back(shape); }
    bool MaskLimitsInputOnly() const override { return compositor; }
    bool PlacesWindowsItself() const override { return compositor; }
    QMargins FrameMargins(const QWidget& window) const override {
        return window.isVisible() ? frame : QMargins();
    }
    bool StartSystemMove(QWidget&) override {
        starts.push_back({true, {}});
        return accept;
    }
    bool StartSystemResize(QWidget&, Qt::Edges edges) override {
        starts.push_back({false, edges});
        return accept;
    }

    bool accept = true;
    bool compositor = false;  // behave as Wayland does
    QMargins frame;
    std::vector<QRegion> shapes;
    std::vector<Start> starts;
};

class FixedClock final : public platform::Clock {
public:
    QDateTime Now() const override { return QDateTime(date, time); }
    QDate date{2026, 12, 7};
    QTime time{8, 30, 5};
};

// A platform whose every seam records instead of acting.
struct FakePlatform {
    RecordingMessageBoxes messages;
    RecordingUrlOpener urls;
    RecordingProcessLauncher processes;
    ScriptedSaveDialog saveDialog;
    FakeWindowSystem windows;
    FixedClock clock;
    platform::Platform platform{messages, urls, processes, saveDialog, windows, clock};
};

}  // namespace quillet::testing
