#include "app/line_edit_accessible.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>

#include "platform/modality.h"

namespace quillet::app {
namespace {

// Qt's own interface edits the line whenever a screen reader asks, also under a modal box that
// keeps keys from it. This one reads as Qt's does, through the line edit's public functions.
class LineEditAccessible final : public QAccessibleWidget,
                                 public QAccessibleTextInterface,
                                 public QAccessibleEditableTextInterface {
public:
    explicit LineEditAccessible(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText) {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        QString text = t == QAccessible::Value ? edit()->displayText() : QString();
        if (text.isEmpty()) text = QAccessibleWidget::text(t);
        if (text.isEmpty() && t == QAccessible::Description) text = edit()->placeholderText();
        return text;
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (t != QAccessible::Value) {
            QAccessibleWidget::setText(t, text);
        } else if (Editable()) {
            edit()->setText(text);
        }
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.readOnly = edit()->isReadOnly();
        state.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        return state;
    }
    void doAction(const QString& action) override {
        if (TakesInput()) QAccessibleWidget::doAction(action);
    }

    // Reading.
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index != 0 || !edit()->hasSelectedText()) return;
        *start = edit()->selectionStart();
        *end = edit()->selectionEnd();
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    QString text(int start, int end) const override {
        return start > end ? QString() : edit()->displayText().mid(start, end - start);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                             int* end) const override {
        return QAccessibleTextInterface::textBeforeOffset(Offset(offset), boundary, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                            int* end) const override {
        return QAccessibleTextInterface::textAfterOffset(Offset(offset), boundary, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                         int* end) const override {
        return QAccessibleTextInterface::textAtOffset(Offset(offset), boundary, start, end);
    }
    int characterCount() const override { return static_cast<int>(edit()->displayText().size()); }
    // From where the cursor stands now, which the line edit tells input methods, scrolled
    // text and margins included.
    QRect characterRect(int offset) const override {
        const QString shown = edit()->displayText();
        if (offset < 0 || offset >= shown.size()) return {};
        const QFontMetrics metrics(edit()->font());
        const QRect cursor = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = cursor.x() + metrics.horizontalAdvance(shown.left(offset)) -
                      metrics.horizontalAdvance(shown.left(edit()->cursorPosition()));
        const QRect rect(x, edit()->textMargins().top(),
                         metrics.horizontalAdvance(shown.at(offset)), metrics.height());
        return rect.translated(edit()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

    // Changing.
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0 && TakesInput()) edit()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0 && TakesInput()) edit()->setSelection(start, end - start);
    }
    void setCursorPosition(int position) override {
        if (TakesInput()) edit()->setCursorPosition(position);
    }
    void scrollToSubstring(int start, int end) override {
        if (!TakesInput()) return;
        edit()->setCursorPosition(end);
        edit()->setCursorPosition(start);
    }
    void deleteText(int start, int end) override {
        if (Editable()) edit()->setText(edit()->text().remove(start, end - start));
    }
    void insertText(int offset, const QString& text) override {
        if (Editable()) edit()->setText(edit()->text().insert(offset, text));
    }
    void replaceText(int start, int end, const QString& text) override {
        if (Editable()) edit()->setText(edit()->text().replace(start, end - start, text));
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(object()); }
    [[nodiscard]] bool TakesInput() const {
        return edit()->isEnabled() && !platform::InputBlockedByModal(*edit());
    }
    // As with keys: a read-only line can be read and selected, not changed.
    [[nodiscard]] bool Editable() const { return TakesInput() && !edit()->isReadOnly(); }
    // -2 asks for the text around the cursor.
    [[nodiscard]] int Offset(int offset) const { return offset == -2 ? cursorPosition() : offset; }
};

}  // namespace

QAccessibleInterface* NewLineEditAccessible(QLineEdit* edit) {
    return new LineEditAccessible(edit);
}

}  // namespace quillet::app
