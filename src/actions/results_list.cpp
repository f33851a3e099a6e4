#include "actions/results_list.h"

#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <cmath>
#include <limits>

#include "actions/form_temp.h"

namespace quillet::actions {

namespace {

// With scrolling by whole rows the scroll bar's value is the index of the top visible row.
int FirstVisibleRow(const QListWidget& list) {
    return list.verticalScrollBar() != nullptr ? list.verticalScrollBar()->value() : 0;
}

// Fractional positions (scaled screens) belong to the row their whole pixel lies in.
int WholePixels(qreal y) {
    return static_cast<int>(std::floor(y));
}

}  // namespace

int RowAtViewportY(const QListWidget& list, int viewportY) {
    if (viewportY < 0) return -1;
    return viewportY / kRowHeightPx + FirstVisibleRow(list);
}

QSize FixedRowHeightDelegate::sizeHint(const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(kRowHeightPx);
    return size;
}

ResultsListBehaviour::ResultsListBehaviour(QListWidget* list, FormTempHost& host)
    : QObject(list), list_(list), host_(host) {
    popup_ = [](QMenu* menu, const QPoint& globalPos) { menu->popup(globalPos); };
    list->setItemDelegate(new FixedRowHeightDelegate(list));
    list->setUniformItemSizes(true);
    list->setSpacing(0);
    // Row sums rely on the top visible row being whole.
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // Our menu is the only one; the main window must not add its own on top.
    list->setContextMenuPolicy(Qt::PreventContextMenu);
    list->setMouseTracking(true);
    list->viewport()->setMouseTracking(true);
    list->viewport()->installEventFilter(this);
}

bool ResultsListBehaviour::eventFilter(QObject* watched, QEvent* event) {
    // Only mouse events touch the list: the others include those sent while it is being
    // destroyed, when it is no longer a whole QListWidget.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonDblClick) {
        return false;
    }
    if (list_ == nullptr || watched != list_->viewport()) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseMove) {
        OnHover(WholePixels(mouse->position().y()));
        return false;
    }
    if (mouse->button() != Qt::RightButton) return false;
    if (type == QEvent::MouseButtonPress) {
        OnRightPress(WholePixels(mouse->position().y()), mouse->globalPosition().toPoint());
    }
    // The list's own right-button handling would move the current row behind our back.
    return true;
}

void ResultsListBehaviour::OnHover(int viewportY) {
    const int row = RowAtViewportY(*list_, viewportY);
    if (row < 0 || row >= list_->count()) return;
    list_->setCurrentRow(row);
    if (const QListWidgetItem* item = list_->currentItem()) list_->setToolTip(item->text());
}

void ResultsListBehaviour::OnRightPress(int viewportY, const QPoint& globalPos) {
    const int row = RowAtViewportY(*list_, viewportY);
    if (row < 0 || row >= list_->count()) return;
    const int listY = viewportY + FirstVisibleRow(*list_) * kRowHeightPx;
    // A list long enough to overflow the 16-bit position cannot come from one DNS reply;
    // if it ever did, no menu beats a menu acting on the wrong row.
    if (listY > std::numeric_limits<std::int16_t>::max()) return;
    list_->setCurrentRow(row);
    host_.MenuY = static_cast<std::int16_t>(listY);
    popup_(host_.Ensure()->Menu_Left, globalPos);
}

}  // namespace quillet::actions
