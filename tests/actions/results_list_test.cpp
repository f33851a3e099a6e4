#include <gtest/gtest.h>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTextDocument>
#include <QToolTip>
#include <functional>

#include "actions/row_actions.h"
#include "fakes.h"
#include "support/case_name.h"

namespace quillet::actions::testing {
namespace {

const QStringList kThreeRows{QStringLiteral("提交的域名为:example.com"),
                             QStringLiteral("IP信息:192.0.2.1"),
                             QStringLiteral("IP信息:192.0.2.2")};

QStringList ManyRows(int count) {
    QStringList rows;
    for (int i = 0; i < count; ++i) rows << QStringLiteral("IP信息:192.0.2.%1").arg(i);
    return rows;
}

struct PointerCase {
    int y;
    int row;  // -1: the pointer is over no row, nothing may change
};

void PrintTo(const PointerCase& c, std::ostream* os) {
    *os << "y=" << c.y << " row=" << c.row;
}

// The 14-pixel boundaries, above the list and below its last row.
const PointerCase kPointerCases[] = {{0, 0},  {13, 0},  {14, 1},   {27, 1}, {28, 2},
                                     {41, 2}, {42, -1}, {150, -1}, {-1, -1}};

class ResultsListTest : public ::testing::TestWithParam<PointerCase> {};

TEST_P(ResultsListTest, HoverSelectsTheRowUnderThePointerAndShowsItsText) {
    ActionsWorld world;
    world.Fill(kThreeRows);
    world.list->setToolTip(QStringLiteral("earlier"));
    world.Hover(GetParam().y);

    const int row = GetParam().row;
    EXPECT_EQ(world.list->currentRow(), row);
    EXPECT_EQ(world.list->toolTip(), row < 0 ? QStringLiteral("earlier") : kThreeRows[row]);
    EXPECT_TRUE(world.popups.empty());
}

TEST_P(ResultsListTest, RightPressSelectsRecordsAndOpensTheMenuOnlyOverARow) {
    ActionsWorld world;
    world.Fill(kThreeRows);
    world.host->MenuY = 99;
    world.Press(GetParam().y);

    const int row = GetParam().row;
    EXPECT_EQ(world.list->currentRow(), row);
    if (row < 0) {
        EXPECT_TRUE(world.popups.empty());
        EXPECT_EQ(world.host->MenuY, 99);
        EXPECT_EQ(world.Box(), nullptr);
        return;
    }
    EXPECT_EQ(world.host->MenuY, GetParam().y);
    ASSERT_EQ(world.popups.size(), 1u);
    ASSERT_NE(world.Box(), nullptr);
    EXPECT_EQ(world.popups[0], world.Box()->Menu_Left);
    // The box that owns the menu comes into being hidden.
    EXPECT_FALSE(world.Box()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(RowBoundaries, ResultsListTest, ::testing::ValuesIn(kPointerCases),
                         quillet::testing::NameBy(&PointerCase::y));

TEST(ResultsList, LeftAndMiddlePressesOpenNoMenu) {
    ActionsWorld world;
    world.Fill(kThreeRows);
    world.Press(15, Qt::LeftButton);
    world.Press(15, Qt::MiddleButton);
    EXPECT_TRUE(world.popups.empty());
    EXPECT_EQ(world.Box(), nullptr);
}

TEST(ResultsList, EmptyListIgnoresHoverAndRightPress) {
    ActionsWorld world;
    world.Hover(3);
    world.Press(3);
    EXPECT_EQ(world.list->currentRow(), -1);
    EXPECT_TRUE(world.list->toolTip().isEmpty());
    EXPECT_TRUE(world.popups.empty());
    EXPECT_EQ(world.Box(), nullptr);
}

TEST(ResultsList, ScrolledListActsOnTheRowThePointerIsOver) {
    ActionsWorld world;
    world.Fill(ManyRows(40));
    world.list->verticalScrollBar()->setValue(10);
    ASSERT_EQ(world.list->verticalScrollBar()->value(), 10);
    ASSERT_EQ(world.list->indexAt(QPoint(5, 1)).row(), 10);

    world.Hover(15);
    EXPECT_EQ(world.list->currentRow(), 11);
    EXPECT_EQ(world.list->toolTip(), QStringLiteral("IP信息:192.0.2.11"));

    world.Press(3);
    EXPECT_EQ(world.list->currentRow(), 10);
    EXPECT_EQ(world.host->MenuY, 10 * kRowHeightPx + 3);
    // Scrolling back before the item is chosen must not change the row acted on.
    world.list->verticalScrollBar()->setValue(0);
    EXPECT_EQ(MenuRowTarget(*world.list, world.host->MenuY), QStringLiteral("192.0.2.10"));
}

TEST(ResultsList, HoverOnAHalfHiddenBottomRowSelectsItWhereItIs) {
    ActionsWorld world;
    world.Fill(ManyRows(40));
    world.list->resize(world.list->width(), 190);
    QApplication::processEvents();
    const int bottomY = world.list->viewport()->height() - 1;
    const int halfHidden = RowAtViewportY(*world.list, bottomY);
    ASSERT_GT((halfHidden + 1) * kRowHeightPx, world.list->viewport()->height());

    // The pointer stays put; the list must not slide row after row under it.
    for (int i = 0; i < 3; ++i) world.Hover(bottomY);
    EXPECT_EQ(world.list->verticalScrollBar()->value(), 0);
    EXPECT_EQ(world.list->currentRow(), halfHidden);
    world.Press(bottomY);
    EXPECT_EQ(world.list->verticalScrollBar()->value(), 0);
    EXPECT_EQ(world.MenuRow(), halfHidden);

    // The keyboard still brings the current row into view.
    QTest::keyClick(world.list, Qt::Key_Down);
    EXPECT_EQ(world.list->currentRow(), halfHidden + 1);
    EXPECT_GT(world.list->verticalScrollBar()->value(), 0);
}

enum class KeyOutcome { kNothing, kMenu, kCopy };

struct KeyCase {
    const char* name;
    std::function<void(QListWidget*)> request;
    KeyOutcome outcome;
};

// With the list focused the menu comes up for the current row, at that row, and its items act
// on it (MenuY names it) wherever the pointer last pressed; the copy keys put that row's text,
// as shown, on the clipboard (Qt's list does it; nothing in front of the list may take them).
TEST(ResultsList, KeysActOnTheCurrentRow) {
    const KeyCase cases[] = {
        {"menu key", [](QListWidget* l) { QTest::keyClick(l, Qt::Key_Menu); }, KeyOutcome::kMenu},
        {"Shift+F10", [](QListWidget* l) { QTest::keyClick(l, Qt::Key_F10, Qt::ShiftModifier); },
         KeyOutcome::kMenu},
        {"keyboard context menu event",
         [](QListWidget* l) {
             QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(0, 0),
                                     l->mapToGlobal(QPoint(0, 0)));
             QApplication::sendEvent(l, &event);
         },
         KeyOutcome::kMenu},
        {"F10 alone", [](QListWidget* l) { QTest::keyClick(l, Qt::Key_F10); },
         KeyOutcome::kNothing},
        {"Ctrl+F10", [](QListWidget* l) { QTest::keyClick(l, Qt::Key_F10, Qt::ControlModifier); },
         KeyOutcome::kNothing},
        {"Ctrl+C", [](QListWidget* l) { QTest::keyClick(l, Qt::Key_C, Qt::ControlModifier); },
         KeyOutcome::kCopy},
        {"Ctrl+Insert",
         [](QListWidget* l) { QTest::keyClick(l, Qt::Key_Insert, Qt::ControlModifier); },
         KeyOutcome::kCopy},
    };
    const QString untouched = QStringLiteral("clipboard before the key");
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        ActionsWorld world;
        world.Fill(ManyRows(40));
        world.Press(3);  // an earlier right press on row 0
        world.list->setCurrentRow(25);
        world.list->verticalScrollBar()->setValue(0);  // row 25 out of sight
        QGuiApplication::clipboard()->setText(untouched);
        c.request(world.list);
        EXPECT_EQ(QGuiApplication::clipboard()->text(),
                  c.outcome == KeyOutcome::kCopy ? QStringLiteral("IP信息:192.0.2.25") : untouched);
        if (c.outcome != KeyOutcome::kMenu) {
            EXPECT_EQ(world.popups.size(), 1u);
            EXPECT_EQ(world.MenuRow(), 0);
            continue;
        }
        ASSERT_EQ(world.popups.size(), 2u);
        EXPECT_EQ(world.MenuRow(), 25);
        EXPECT_EQ(MenuRowTarget(*world.list, world.host->MenuY), QStringLiteral("192.0.2.25"));
        EXPECT_TRUE(world.list->item(25)->isSelected());
        const QPoint at = world.list->viewport()->mapFromGlobal(world.popupsAt[1]);
        EXPECT_EQ(world.list->indexAt(at).row(), 25);
    }

    ActionsWorld empty;
    QTest::keyClick(empty.list, Qt::Key_Menu);
    EXPECT_TRUE(empty.popups.empty());
}

TEST(ResultsList, RowsOnScreenMatchThePointerArithmetic) {
    ActionsWorld world;
    world.Fill(ManyRows(40));
    for (int scrolledTo : {0, 7}) {
        world.list->verticalScrollBar()->setValue(scrolledTo);
        const int visibleHeight = world.list->viewport()->height();
        for (int y = 0; y < visibleHeight; ++y) {
            ASSERT_EQ(world.list->indexAt(QPoint(5, y)).row(), RowAtViewportY(*world.list, y))
                << "y=" << y << " scrolled to " << scrolledTo;
        }
    }
}

// The tooltip shows the whole row as the text it is, a name in markup too, and a name of 253
// characters, which has no blank to break at, inside the screen.
TEST(ResultsList, TooltipShowsTheWholeRowAsPlainTextOnTheScreen) {
    ActionsWorld world;
    const QString rows[] = {
        QStringLiteral("非权威记录:<b>good.com</b><i>x.</i>"),
        QStringLiteral("邮件交换服务器:") + QStringList(4, QString(63, QLatin1Char('m'))).join('.'),
    };
    for (const QString& row : rows) {
        world.Fill({row});
        world.Hover(5);
        EXPECT_EQ(world.list->toolTip(), row);
        QHelpEvent help(QEvent::ToolTip, {20, 5},
                        world.list->viewport()->mapToGlobal(QPoint(20, 5)));
        QApplication::sendEvent(world.list->viewport(), &help);
        ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
        QTextDocument shown;
        shown.setHtml(QToolTip::text());
        EXPECT_EQ(shown.toPlainText().remove(QLatin1Char('\n')), row);
        for (const QWidget* tip : QApplication::topLevelWidgets()) {
            if (!tip->inherits("QTipLabel")) continue;
            EXPECT_TRUE(tip->screen()->geometry().contains(tip->geometry()));
        }
    }
}

}  // namespace
}  // namespace quillet::actions::testing
