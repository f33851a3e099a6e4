#include "actions/results_list.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>
#include <cmath>
#include <limits>

#include "actions/form_temp.h"

namespace quillet::actions {

namespace {

// How long a menu opened from the keyboard waits at most for its window to settle.
constexpr int kMenuSettleMs = 100;
// How long its first item then waits, so that readers hear of the menu first.
constexpr int kMenuNewsMs = 100;

// With scrolling by whole rows the scroll bar's value is the index of the top visible row.
[[nodiscard]] int FirstVisibleRow(const QListWidget& list) {
    return list.verticalScrollBar() != nullptr ? list.verticalScrollBar()->value() : 0;
}

// Fractional positions (scaled screens) belong to the row their whole pixel lies in.
[[nodiscard]] int WholePixels(qreal y) {
    return static_cast<int>(std::floor(y));
}

// Making a row current scrolls it wholly into view. For a row half hidden at the bottom that
// slides the next row under a pointer that has not moved, which selects it in turn, and the
// list runs away to its end; the pointer picks rows where they are.
void SelectInPlace(QListWidget& list, int row) {
    const bool autoScroll = list.hasAutoScroll();
    list.setAutoScroll(false);
    list.setCurrentRow(row);
    list.setAutoScroll(autoScroll);
}

// The keys that ask for the focused control's context menu.
[[nodiscard]] bool IsMenuKey(const QEvent* event) {
    if (event->type() == QEvent::ContextMenu) {
        return static_cast<const QContextMenuEvent*>(event)->reason() ==
               QContextMenuEvent::Keyboard;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Menu ||
           (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
}

// The markup that shows `text` in a tooltip as the plain text it is, in lines no wider than
// `width` pixels in `font`, broken anywhere: a name holds no blank to break at.
[[nodiscard]] QString PlainTip(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength()).toHtmlEscaped();
    }
    layout.endLayout();
    // Markup of our own is the one way to tell a tooltip what its text is: given the bare
    // text, it guesses, and a name sent as "<b>good" comes out bold.
    return QStringLiteral("<p style=\"white-space:pre\">") + lines.join(QStringLiteral("<br>")) +
           QStringLiteral("</p>");
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

ResultsListBehaviour::ResultsListBehaviour(QListWidget* list, std::shared_ptr<FormTempHost> host)
    : QObject(list), list_(list), host_(std::move(host)) {
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
    list->installEventFilter(this);  // the menu keys reach the list, not its viewport
}

bool ResultsListBehaviour::eventFilter(QObject* watched, QEvent* event) {
    // Only the menu keys, tooltips, focus, activation and mouse events touch the list: the others
    // include those sent while it is being destroyed, when it is no longer a whole QListWidget.
    const QEvent::Type type = event->type();
    if (type == QEvent::ToolTip && list_ != nullptr &&
        (watched == list_ || watched == list_->viewport())) {
        ShowTip(static_cast<QHelpEvent*>(event)->globalPos());
        return true;
    }
    if (IsMenuKey(event) && list_ != nullptr && watched == list_) {
        OnMenuKey();
        return true;
    }
    if (type == QEvent::FocusIn && list_ != nullptr && watched == list_) {
        AnnounceCurrentRowLater();
        return false;
    }
    if (type == QEvent::WindowActivate && list_ != nullptr && watched == list_) {
        StartMenuOnFirstItem();
        return false;
    }
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
    SelectInPlace(*list_, row);
    if (const QListWidgetItem* item = list_->currentItem()) list_->setToolTip(item->text());
}

void ResultsListBehaviour::ShowTip(const QPoint& globalPos) {
    const QString text = list_->toolTip();
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    const QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (screen == nullptr) screen = list_->screen();
    constexpr int kTipPaddingPx = 3;  // beside its frame: the tip's own pixel and two to spare
    const int margins =
        2 * (kTipPaddingPx +
             list_->style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, list_));
    QToolTip::showText(globalPos,
                       PlainTip(text, QToolTip::font(), screen->availableSize().width() - margins),
                       list_);
}

void ResultsListBehaviour::AnnounceCurrentRowLater() {
    // Qt makes the first row current (not selected) on a keyboard focus-in and tells readers so
    // before it tells them that the list has the focus: they would stay on the list, and the
    // next key would read the second row as the first heard. The row's news comes last.
    QTimer::singleShot(0, this, [this] {
        if (list_ == nullptr || !list_->hasFocus() || list_->currentRow() < 0) return;
        QAccessibleEvent focus(list_, QAccessible::Focus);
        focus.setChild(list_->currentRow());
        QAccessible::updateAccessibility(&focus);
    });
}

void ResultsListBehaviour::OnRightPress(int viewportY, const QPoint& globalPos) {
    const int row = RowAtViewportY(*list_, viewportY);
    if (row < 0 || row >= list_->count()) return;
    SelectInPlace(*list_, row);
    OpenMenu(viewportY + FirstVisibleRow(*list_) * kRowHeightPx, globalPos);
}

void ResultsListBehaviour::OnMenuKey() {
    const int row = list_->currentRow();
    if (row < 0 || row >= list_->count()) return;
    if (host_->MenuShown()) return;  // one key, one menu
    QListWidgetItem* item = list_->item(row);
    list_->scrollToItem(item);
    list_->setCurrentRow(row);  // selected too, as a right press would leave it
    // Where a right press inside the row would open it; the items act on this row.
    const QRect rect = list_->visualItemRect(item);
    const QPoint inRow(rect.left() + kRowHeightPx, rect.center().y());
    OpenMenu(row * kRowHeightPx, list_->viewport()->mapToGlobal(inRow));
    // Opened from the keyboard, the menu starts on its first item, which readers announce. On
    // X11 the window is made active again just after a menu opens, and readers that hear of it
    // after the item go back to the window: the item waits for that, or for a moment at most.
    keyMenu_ = host_->Ensure()->Menu_Left;
    QTimer::singleShot(kMenuSettleMs, this, &ResultsListBehaviour::StartMenuOnFirstItem);
}

void ResultsListBehaviour::StartMenuOnFirstItem() {
    const QPointer<QMenu> menu = keyMenu_;
    keyMenu_.clear();
    if (menu == nullptr || !menu->isVisible() || menu->actions().isEmpty()) return;
    // Readers name a menu only when it has the focus itself, and drop that news as stale when an
    // item's follows at once: the item waits a moment.
    QAccessibleEvent opened(menu.data(), QAccessible::Focus);
    QAccessible::updateAccessibility(&opened);
    QTimer::singleShot(kMenuNewsMs, menu, [menu = menu.data()] {
        if (menu->isVisible() && menu->activeAction() == nullptr && !menu->actions().isEmpty()) {
            menu->setActiveAction(menu->actions().constFirst());
        }
    });
}

void ResultsListBehaviour::OpenMenu(int listY, const QPoint& globalPos) {
    // A list long enough to overflow the 16-bit position cannot come from one DNS reply;
    // if it ever did, no menu beats a menu acting on the wrong row.
    if (listY > std::numeric_limits<std::int16_t>::max()) return;
    host_->MenuY = static_cast<std::int16_t>(listY);
    popup_(host_->Ensure()->Menu_Left, globalPos);
}

}  // namespace quillet::actions
