#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>
#include <memory>

class QListWidget;
class QMenu;

namespace quillet::actions {

class FormTempHost;

// Rows of the results list are this high, on screen and in every pointer-to-row sum.
inline constexpr int kRowHeightPx = 14;

// The row under a pointer at viewport height `viewportY`, counting from the list's first row;
// -1 above the list. The result may be past the last row.
[[nodiscard]] int RowAtViewportY(const QListWidget& list, int viewportY);

// Draws every row exactly kRowHeightPx high.
class FixedRowHeightDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The results list's pointer behaviour: hovering selects the row under the pointer and shows
// its full text, as plain text and whole on the screen, as the list's tooltip; a right press on a
// row selects it, records the host's MenuY and pops up the about box's context menu. Other buttons
// are left to the list. From the keyboard, the menu key and Shift+F10 open the same menu for the
// current row.
class ResultsListBehaviour final : public QObject {
    Q_OBJECT
public:
    using PopupHook = std::function<void(QMenu* menu, const QPoint& globalPos)>;

    // Sets up `list` (row height, scrolling by whole rows, mouse tracking) and watches it.
    ResultsListBehaviour(QListWidget* list, std::shared_ptr<FormTempHost> host);

    // Tests replace the pop-up so nothing waits on a real menu.
    void SetPopupHook(PopupHook hook) { popup_ = std::move(hook); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnHover(int viewportY);
    // Shows the tooltip text that hovering left, wherever the pointer rests over the list.
    void ShowTip(const QPoint& globalPos);
    void OnRightPress(int viewportY, const QPoint& globalPos);
    // The menu key or Shift+F10 with the list focused: the menu for the current row.
    void OnMenuKey();
    // Tells screen readers which row is current once the list's own focus news is out.
    void AnnounceCurrentRowLater();
    // Tells screen readers of a menu opened from the keyboard, then makes its first item the
    // active one.
    void StartMenuOnFirstItem();
    // Records `listY` (pixels from the list's first row) in MenuY and pops up the menu.
    void OpenMenu(int listY, const QPoint& globalPos);

    QPointer<QListWidget> list_;
    std::shared_ptr<FormTempHost> host_;
    PopupHook popup_;
    QPointer<QMenu> keyMenu_;  // opened from the keys, no item active yet
};

}  // namespace quillet::actions
