#pragma once

#include <QDate>
#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QTime>
#include <functional>

#include "actions/row_actions.h"

class QAction;
class QListWidget;
class QMenu;
class QPushButton;

namespace quillet::platform {
struct Platform;
}

namespace quillet::actions {

// What the about box and its menu act on. Everything that reaches outside the program (the
// desktop, PATH, the clock) can be replaced by a test.
struct ActionContext {
    platform::Platform* platform = nullptr;
    QPointer<QListWidget> resultsList;
    ExecutableFinder findExecutable = PathExecutableFinder();
    // Date and time of day are two readings, date first, as the export banner shows them.
    std::function<QDate()> today = [] { return QDate::currentDate(); };
    std::function<QTime()> timeOfDay = [] { return QTime::currentTime(); };
    // The about box's own title bar icon; none leaves it to the desktop.
    QIcon aboutIcon;
};

// A label that reports a left click (press and release over it).
class ClickableLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// The about box. It also owns the results context menu and what its items do, so it usually
// lives hidden long before anyone opens it; closing it destroys it.
class FormTemp final : public QDialog {
    Q_OBJECT
public:
    FormTemp(const ActionContext& context, QWidget* owner);

    // Opens an address with the desktop's default handler; failures are ignored.
    void Http(const QString& address);
    // Places the box centred over `window`, on the same screen.
    void CentreOver(QWidget* window);
    // Appends every result row to a file the user picks, then reports the count and path.
    void Saveas();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    ClickableLabel* Label3 = nullptr;
    QPushButton* Command1 = nullptr;

    QMenu* Menu_Left = nullptr;
    QAction* Menu_Ping = nullptr;
    QAction* menu_baidu = nullptr;
    QAction* Menu_Save = nullptr;

private:
    void BuildWindow();
    void BuildMenu();
    void MenuPingClick();
    void MenuBaiduClick();
    QWidget* DialogParent();

    ActionContext context_;
};

// Keeps at most one about box alive: made (hidden) on first use, made anew after its close
// button has destroyed it.
class FormTempHost {
public:
    FormTempHost(ActionContext context, QWidget* owner);
    ~FormTempHost();
    FormTempHost(const FormTempHost&) = delete;
    FormTempHost& operator=(const FormTempHost&) = delete;

    FormTemp* Ensure();
    // The current about box, or null when none exists.
    FormTemp* Current() const { return form_; }
    // Shows the about box modally, centred over `mainWindow`; returns once it is closed.
    void ShowAboutModal(QWidget* mainWindow);

    ActionContext& Context() { return context_; }

private:
    ActionContext context_;
    QPointer<QWidget> owner_;
    QPointer<FormTemp> form_;
};

}  // namespace quillet::actions
