#include "app/accessible_controls.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

namespace quillet::app {
namespace {

class CaptionButtonAccessible final : public QAccessibleWidget {
public:
    explicit CaptionButtonAccessible(QWidget* label)
        : QAccessibleWidget(label, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }

    // The frame code knows a click only as a left press and release inside the button. Sent
    // later, so that a modal about box does not hold up the screen reader's call.
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
// what the list is for. This one keeps name and value apart; the rest mirrors Qt's.
class DropDownAccessible final : public QAccessibleWidget {
public:
    explicit DropDownAccessible(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return combo()->currentText();
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

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(object()); }
};

QAccessibleInterface* ControlFactory(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) return nullptr;
    if (className == QLatin1String(CaptionButtonLabel::staticMetaObject.className())) {
        return new CaptionButtonAccessible(static_cast<QWidget*>(object));
    }
    if (className == QLatin1String("QComboBox")) {
        auto* combo = static_cast<QComboBox*>(object);
        // An editable one has a line edit inside; Qt's interface knows how to show that.
        if (!combo->isEditable()) return new DropDownAccessible(combo);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleControls() {
    static const bool installed = [] {
        QAccessible::installFactory(ControlFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace quillet::app
