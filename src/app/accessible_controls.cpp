#include "app/accessible_controls.h"

#include <QAbstractItemView>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>

#include "actions/form_temp.h"
#include "app/frm_main.h"
#include "app/line_edit_accessible.h"
#include "platform/modality.h"

namespace quillet::app {
namespace {

class CaptionButtonAccessible final : public QAccessibleWidget {
public:
    explicit CaptionButtonAccessible(QWidget* label)
        : QAccessibleWidget(label, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }

    // The frame code knows a click only as a left press and release inside the button, and
    // refuses it under a modal box. Sent later, so that a modal about box does not hold up the
    // screen reader's call.
    void doAction(const QString& action) override {
        if (action != pressAction()) return;
        QTimer::singleShot(0, widget(), [label = QPointer<QWidget>(widget())] {
            const QPointF centre = QRectF(label->rect()).center();
            const QPointF global = label->mapToGlobal(centre);
            QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(label, &press);
            if (label == nullptr) return;
            QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(label, &release);
        });
    }
};

// Qt's own interface for a drop-down list gives, on Linux, the selected row as its name and
// leaves the caption to the label relation, so a screen reader announces "223.5.5.5" and not
// what the list is for. This one keeps name and value apart, and shows the value as its text
// too: a reader that asks a drop-down for a selected child (Qt offers it none) falls back to
// that. The rest mirrors Qt's.
class DropDownAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit DropDownAccessible(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Value();
        return QAccessibleWidget::text(t);  // the accessible name, else the buddy label's text
    }

    // The pop-up list of rows is the one child, as in Qt's interface.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == combo()->view() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) combo()->showPopup();
    }

    // The value as read-only text, with no caret and nothing selected.
    QString text(int start, int end) const override { return Value().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Value().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint&) const override { return 0; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = offset;
        *end = offset;
        return {};
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(object()); }
    QString Value() const { return combo()->currentText(); }
};

// Selects what the user selects, by pointer, keys or screen reader, only while no modal box
// keeps input from the view: Qt's interface for an item view selects rows whenever asked. The
// model's own resets go through.
class ModalAwareSelection final : public QItemSelectionModel {
public:
    explicit ModalAwareSelection(QAbstractItemView& view)
        : QItemSelectionModel(view.model(), &view), view_(view) {}

    void select(const QModelIndex& index, SelectionFlags command) override {
        if (ResettingOrUnblocked()) QItemSelectionModel::select(index, command);
    }
    void select(const QItemSelection& selection, SelectionFlags command) override {
        if (ResettingOrUnblocked()) QItemSelectionModel::select(selection, command);
    }
    void clear() override {
        const QScopedValueRollback resetting(resetting_, true);
        QItemSelectionModel::clear();
    }
    void reset() override {
        const QScopedValueRollback resetting(resetting_, true);
        QItemSelectionModel::reset();
    }

private:
    [[nodiscard]] bool ResettingOrUnblocked() const {
        return resetting_ || !platform::InputBlockedByModal(view_);
    }

    QAbstractItemView& view_;
    bool resetting_ = false;
};

// The about box's web-site line: a link that a screen reader can follow as a click does.
class LinkLabelAccessible final : public QAccessibleWidget {
public:
    explicit LinkLabelAccessible(actions::ClickableLabel* label)
        : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (!own.isEmpty() || (t != QAccessible::Name && t != QAccessible::Value)) return own;
        return label()->text();
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) emit label()->clicked();
    }

private:
    actions::ClickableLabel* label() const {
        return static_cast<actions::ClickableLabel*>(object());
    }
};

// A top-level window of the program: a frame to screen readers, not Qt's generic "client"
// (which they call a filler). A control the window keeps hidden for good is none of their
// business; Qt's own interface lists hidden children too.
class WindowAccessible final : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return static_cast<int>(Children().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = Children();
        if (index < 0 || index >= children.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) return -1;
        return static_cast<int>(Children().indexOf(child->object()));
    }

private:
    QList<QWidget*> Children() const {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child != nullptr && !child->isWindow() && !child->isHidden()) shown << child;
        }
        return shown;
    }
};

// Qt's application lists only the windows that are not pop-ups, while an open menu names the
// application as its parent; readers take a child its parent does not know for a dead one and
// announce neither its role nor its name. Here the open menus follow Qt's windows, counted afresh
// on every call, as menus come and go.
class ApplicationAccessible final : public QAccessibleApplication {
public:
    int childCount() const override {
        return QAccessibleApplication::childCount() + static_cast<int>(OpenMenus().size());
    }
    QAccessibleInterface* child(int index) const override {
        const int windows = QAccessibleApplication::childCount();
        if (index < windows) return QAccessibleApplication::child(index);
        const QList<QMenu*> menus = OpenMenus();
        if (index - windows >= menus.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(menus.at(index - windows));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) return -1;
        const int window = QAccessibleApplication::indexOfChild(child);
        if (window != -1) return window;
        const auto menu = OpenMenus().indexOf(qobject_cast<QMenu*>(child->object()));
        return menu == -1 ? -1 : QAccessibleApplication::childCount() + static_cast<int>(menu);
    }

private:
    static QList<QMenu*> OpenMenus() {
        QList<QMenu*> open;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* menu = qobject_cast<QMenu*>(window);
            if (menu == nullptr || !menu->isVisible()) continue;
            // A submenu names its menu as its parent instead.
            QAccessibleInterface* parent = QAccessible::queryAccessibleInterface(menu)->parent();
            if (parent != nullptr && parent->object() == qApp) open << menu;
        }
        return open;
    }
};

QAccessibleInterface* ControlFactory(const QString& className, QObject* object) {
    if (object != nullptr && object == qApp) return new ApplicationAccessible;
    if (object == nullptr || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String(CaptionButtonLabel::staticMetaObject.className())) {
        return new CaptionButtonAccessible(widget);
    }
    if (className == QLatin1String(actions::ClickableLabel::staticMetaObject.className())) {
        return new LinkLabelAccessible(static_cast<actions::ClickableLabel*>(widget));
    }
    // The main window's only; those of the dialogs are never under a modal box of their own.
    if (className == QLatin1String("QLineEdit") && qobject_cast<FrmMain*>(widget->window())) {
        return NewLineEditAccessible(static_cast<QLineEdit*>(widget));
    }
    if (className == QLatin1String(FrmMain::staticMetaObject.className())) {
        return new WindowAccessible(widget);
    }
    // The main window's only: Qt's own dialogs keep Qt's interfaces, which readers know.
    if (className == QLatin1String("QComboBox") && qobject_cast<FrmMain*>(widget->window())) {
        auto* combo = static_cast<QComboBox*>(object);
        // An editable one has a line edit inside; Qt's interface knows how to show that.
        if (!combo->isEditable()) return new DropDownAccessible(combo);
    }
    return nullptr;
}

}  // namespace

void AnnounceChosenRows(QComboBox& combo) {
    // Turning a closed drop-down with the arrow keys changes its value under the focus. Readers
    // listen for a change of selected child there, which Qt cannot tell them; the chosen row
    // taking the focus is what they follow instead, as in the open list.
    QObject::connect(&combo, &QComboBox::currentIndexChanged, &combo, [&combo](int row) {
        if (row < 0 || !combo.hasFocus() || combo.view()->isVisible()) return;
        QAccessibleEvent focus(combo.view(), QAccessible::Focus);
        focus.setChild(row);
        QAccessible::updateAccessibility(&focus);
    });
}

void RefuseSelectionUnderModal(QAbstractItemView& view) {
    view.setSelectionModel(new ModalAwareSelection(view));
}

void InstallAccessibleControls() {
    static const bool installed = [] {
        QAccessible::installFactory(ControlFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace quillet::app
