#pragma once

// Recording stand-ins for the desktop, and a small window holding a results list laid out as
// the main window lays it out.

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QSet>
#include <QTest>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "actions/form_temp.h"
#include "actions/results_list.h"
#include "platform/platform.h"
#include "support/fake_platform.h"

namespace quillet::actions::testing {

using FakeUrls = quillet::testing::RecordingUrlOpener;
using FakeProcesses = quillet::testing::RecordingProcessLauncher;
using FakeMessages = quillet::testing::RecordingMessageBoxes;
using FakeSaveDialog = quillet::testing::ScriptedSaveDialog;

// Terminals "installed" in /usr/bin for the ping tests.
inline ExecutableFinder FakeFinder(QSet<QString> installed) {
    return [installed](const QString& name) {
        return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
    };
}

class ActionsWorld {
public:
    ActionsWorld() {
        window.resize(251, 404);
        list = new QListWidget(&window);
        list->setGeometry(10, 170, 233, 198);
        ActionContext context;
        context.platform = &platform;
        context.resultsList = list;
        context.findExecutable = FakeFinder({QStringLiteral("x-terminal-emulator")});
        context.today = [] { return QDate(2026, 12, 7); };
        context.timeOfDay = [] { return QTime(8, 30, 5); };
        host = std::make_unique<FormTempHost>(context, &window);
        behaviour = new ResultsListBehaviour(list, *host);
        behaviour->SetPopupHook([this](QMenu* menu, const QPoint& at) {
            popups.push_back(menu);
            popupsAt.push_back(at);
        });
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        MenuY = 0;
    }

    void Fill(const QStringList& rows) {
        list->clear();
        list->addItems(rows);
        // The list lays its rows out (and sizes its scroll bar) from the event loop.
        QApplication::processEvents();
    }

    void SendMouse(QEvent::Type type, Qt::MouseButton button, int y) {
        const QPointF local(20, y);
        const QPointF global = list->viewport()->mapToGlobal(local);
        const Qt::MouseButtons held = type == QEvent::MouseMove ? Qt::NoButton : button;
        QMouseEvent event(type, local, global, button, held, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &event);
    }
    void Hover(int y) { SendMouse(QEvent::MouseMove, Qt::NoButton, y); }
    void Press(int y, Qt::MouseButton button = Qt::RightButton) {
        SendMouse(QEvent::MouseButtonPress, button, y);
    }

    FakeUrls urls;
    FakeProcesses processes;
    FakeMessages messages;
    FakeSaveDialog saveDialog;
    platform::Platform platform{&messages, &urls, &processes, &saveDialog};

    QWidget window;
    QListWidget* list = nullptr;
    std::unique_ptr<FormTempHost> host;
    ResultsListBehaviour* behaviour = nullptr;
    std::vector<QMenu*> popups;
    std::vector<QPoint> popupsAt;  // global positions
};

}  // namespace quillet::actions::testing
