#pragma once

// A small window holding a results list laid out as the main window lays it out, with the
// shared recording stand-ins for the desktop.

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <memory>
#include <vector>

#include "actions/form_temp.h"
#include "actions/results_list.h"
#include "support/fake_platform.h"

namespace quillet::actions::testing {

class ActionsWorld : public quillet::testing::FakePlatform {
public:
    ActionsWorld() {
        processes.installed = {QStringLiteral("x-terminal-emulator")};
        window.resize(251, 404);
        list = new QListWidget(&window);
        list->setGeometry(10, 170, 233, 198);
        host = std::make_shared<FormTempHost>(ActionContext{platform, list, {}}, &window);
        behaviour = new ResultsListBehaviour(list, host);
        behaviour->SetPopupHook([this](QMenu* menu, const QPoint& at) {
            popups.push_back(menu);
            popupsAt.push_back(at);
        });
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
    }

    // The about box that exists now, or null.
    FormTemp* Box() const { return window.findChild<FormTemp*>(); }
    // The row the menu items act on.
    int MenuRow() const { return host->MenuY / kRowHeightPx; }

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

    QWidget window;
    QListWidget* list = nullptr;
    std::shared_ptr<FormTempHost> host;
    ResultsListBehaviour* behaviour = nullptr;
    std::vector<QMenu*> popups;
    std::vector<QPoint> popupsAt;  // global positions
};

}  // namespace quillet::actions::testing
