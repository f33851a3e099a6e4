#pragma once

#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <cstdint>
#include <memory>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;

namespace quillet::platform {
struct Platform;
}

namespace quillet::actions {

// What the about box and its menu act on. Everything that reaches outside the program (the
// desktop, PATH, the clock) goes through `platform`.
struct ActionContext {
    platform::Platform& platform;
    QPointer<QListWidget> resultsList;
    // The about box's own title bar icon; none leaves it to the desktop.
    QIcon aboutIcon;
};

class FormTempHost;

// Where a window whose client area is `client`, with `frame` around it, puts its client area
// so that the whole frame is centred on `over` (halves rounded down) and stays inside
// `screen`, title bar first.
[[nodiscard]] QPoint CentredClientPos(const QRect& over, QSize client, const QMargins& frame,
                                      const QRect& screen);

// A label that reports a left click (press and release over it), and Enter or Space while it
// has the focus, which it shows with a focus frame.
class ClickableLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// The about box. It also owns the results context menu and what its items do, so it usually
// lives hidden long before anyone opens it. Its Qt parent, the main window, owns it.
class FormTemp final : public QDialog {
    Q_OBJECT
public:
    FormTemp(const ActionContext& context, std::shared_ptr<const FormTempHost> host,
             QWidget* owner);

    // Opens an address with the desktop's default handler; failures are ignored.
    void Http(const QString& address);
    // Centres the box, frame and all, over `window` (not null), where the window system lets
    // programs place windows. Until the box is on screen nobody knows its frame; it moves once
    // more when the window manager announces it.
    void CentreOver(QWidget* window);
    // Appends every result row to a file the user picks, then reports the count and path.
    void Saveas();
    // Shows the box modally; returns once it is closed.
    void ShowModal();
    // Closes the box, by any means, unless a modal window other than the box keeps input from it.
    void done(int result) override;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    ClickableLabel* Label3 = nullptr;
    QPushButton* Command1 = nullptr;

    QMenu* Menu_Left = nullptr;
    QAction* Menu_Ping = nullptr;
    QAction* menu_baidu = nullptr;
    QAction* Menu_Save = nullptr;

protected:
    bool event(QEvent* event) override;

private:
    void BuildWindow();
    void BuildMenu();
    void PlaceCentred();
    void MenuPingClick();
    void MenuBaiduClick();
    // Whether the results list is there and no modal window (the about box included) keeps
    // input from the main window: what the menu's items ask before they act.
    [[nodiscard]] bool MainWindowTakesInput() const;

    ActionContext context_;
    std::shared_ptr<const FormTempHost> host_;
    QPointer<QWidget> centreOver_;  // set while the frame may still change
    QMargins placedWith_;           // the frame the box was last centred with
};

// Keeps at most one about box alive: made (hidden) on first use, made anew after closing it has
// destroyed it. Keeps what outlives any one box. Made with std::make_shared: every box it makes
// and the results list's behaviour hold a share, so it lives as long as any of them.
class FormTempHost : public std::enable_shared_from_this<FormTempHost> {
public:
    FormTempHost(ActionContext context, QWidget* owner);
    FormTempHost(const FormTempHost&) = delete;
    FormTempHost& operator=(const FormTempHost&) = delete;

    [[nodiscard]] FormTemp* Ensure();
    // Whether the context menu is open now.
    [[nodiscard]] bool MenuShown() const;
    // Shows the about box modally, centred over `mainWindow`; returns once it is closed, and
    // the box is destroyed then. Does nothing while the box is open already.
    void ShowAboutModal(QWidget* mainWindow);

    // Where the right press that last opened the context menu was: pixels from the top of the
    // list's first row (not of the visible area), so the row stays the same whatever is
    // scrolled into view by the time a menu item runs.
    std::int16_t MenuY = 0;

private:
    ActionContext context_;
    QPointer<QWidget> owner_;
    QPointer<FormTemp> form_;
};

}  // namespace quillet::actions
