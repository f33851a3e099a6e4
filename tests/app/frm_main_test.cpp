#include "app/frm_main.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTimer>
#include <QUdpSocket>

#include "actions/form_temp.h"
#include "support/main_window_fixture.h"

namespace quillet::app {
namespace {

using quillet::testing::ExampleAReply;

const QString kTypeA = QStringLiteral("A记录查询");
const QString kTypeMX = QStringLiteral("MX记录查询");

using QueryActionTest = quillet::testing::LoopbackServerWindowTest;

QByteArray QueryBytes(const QByteArray& nameWire, char type) {
    return QByteArray::fromHex("000001000001000000000000") + nameWire + QByteArray(1, '\0') + type +
           QByteArray("\x00\x01", 2);
}

TEST_F(QueryActionTest, StartsWithTheDefaultsAndTheLayout) {
    EXPECT_EQ(window->size(), QSize(251, 404));
    EXPECT_EQ(window->windowTitle(), "Quillet");
    EXPECT_EQ(window->Comb_Sel->currentText(), kTypeMX);
    EXPECT_EQ(window->Comb_DNS->currentIndex(), 1);
    EXPECT_EQ(window->wsk.RemoteHost(), "127.0.0.1");
    EXPECT_FALSE(window->Comb_DNS->isEditable());
    EXPECT_FALSE(window->Comb_Sel->isEditable());
    EXPECT_EQ(window->Txt_Domain->geometry(), QRect(75, 110, 153, 21));
    EXPECT_EQ(window->List_Show->geometry(), QRect(10, 170, 233, 198));
    EXPECT_EQ(window->CMD_Send->text(), QStringLiteral("查询"));
    EXPECT_FALSE(window->Txt_Show->isVisible());
    EXPECT_EQ(window->Txt_Domain->accessibleName(), QStringLiteral("查询域名"));
    EXPECT_EQ(window->Comb_DNS->accessibleName(), QStringLiteral("域名服务器"));
    EXPECT_EQ(window->Comb_Sel->accessibleName(), QStringLiteral("查询类型"));

    // Tab leads through the inputs and back.
    QWidget* expected[] = {window->CMD_Send, window->List_Show, window->Comb_DNS, window->Comb_Sel,
                           window->Txt_Domain};
    QWidget* current = window->Txt_Domain;
    for (QWidget* next : expected) {
        current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus || !current->isVisible()) {
            current = current->nextInFocusChain();
        }
        EXPECT_EQ(current, next);
    }
}

// Captions and rows are Chinese or ASCII and skip shaping; what the user types may be any
// script, and Arabic or Devanagari drawn unshaped is unreadable.
TEST_F(QueryActionTest, TypedTextIsShapedOnceTheWindowIsUp) {
    auto shaped = [](const QWidget* widget) {
        return !(widget->font().styleStrategy() & QFont::PreferNoShaping);
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return shaped(window->Txt_Domain); }));
    for (const QWidget* known :
         {static_cast<QWidget*>(window->Label2), static_cast<QWidget*>(window->CMD_Send),
          static_cast<QWidget*>(window->List_Show)}) {
        EXPECT_FALSE(shaped(known)) << known->metaObject()->className();
    }
}

TEST_F(QueryActionTest, EmptyOrBlankDomainsSendNothingAndSayNothing) {
    window->List_Show->addItem("old row");
    for (const QString& text : {QString(), QStringLiteral("    ")}) {
        Query(text, kTypeA);
        EXPECT_EQ(window->Txt_Domain->text(), QString());
        EXPECT_EQ(window->List_Show->count(), 0);
    }
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(NothingSent());
}

TEST_F(QueryActionTest, RejectedDomainsShowTheErrorBoxAndSendNothing) {
    for (const QString& text :
         {QStringLiteral("例子.com"), QStringLiteral("a b\t.com"), QStringLiteral(".example.com"),
          QStringLiteral("example"), QStringLiteral("ｅｘａｍｐｌｅ．com"),
          QStringLiteral("a\u3000.com")}) {
        fake.messages.shown.clear();
        Query(text, kTypeA);
        ASSERT_EQ(fake.messages.shown.size(), 1u) << text.toStdString();
        EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("请输入正确的域名信息"));
        EXPECT_EQ(fake.messages.shown[0].title, QStringLiteral("错误"));
        EXPECT_EQ(fake.messages.shown[0].icon, platform::MessageIcon::Error);
    }
    EXPECT_TRUE(NothingSent());
}

TEST_F(QueryActionTest, TrimsTheDomainIntoTheBoxAndTheDatagram) {
    const QByteArray abc(
        "\x02"
        "ab\x01"
        "c\x00",
        6);
    Query("   ab.c  ", kTypeA);
    EXPECT_EQ(window->Txt_Domain->text(), "ab.c");
    EXPECT_EQ(NextQuery(), QueryBytes(abc, 1));

    // The button by mouse, and with the focus on it by Enter (either key) and by Space.
    window->Comb_Sel->setCurrentText(kTypeMX);
    QTest::mouseClick(window->CMD_Send, Qt::LeftButton);
    EXPECT_EQ(NextQuery(), QueryBytes(abc, 15));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        window->CMD_Send->setFocus();
        QTest::keyClick(window->CMD_Send, key);
        EXPECT_EQ(NextQuery(), QueryBytes(abc, 15)) << key;
    }
    EXPECT_TRUE(fake.messages.shown.empty());

    // One trailing dot is the root: the box keeps it, the datagram does not change.
    Query("ab.c.", kTypeMX);
    EXPECT_EQ(window->Txt_Domain->text(), "ab.c.");
    EXPECT_EQ(NextQuery(), QueryBytes(abc, 15));
}

TEST_F(QueryActionTest, ABuildFailureShowsTheFatalErrorWithItsCause) {
    const QString prefix = QStringLiteral("程序在打包和发送的过程中出现致命错误,错误描述:");
    const std::pair<QString, QString> cases[] = {
        {"a.b.c.d.e.f.g.h.i.j.k", QStringLiteral("域名的标签超过10个")},  // ten dots
        {"a..b", QStringLiteral("域名中有空的标签")},
        {QString(64, 'x') + ".c", QStringLiteral("域名中有超过63个字符的标签")},
        {QString(63, 'x') + "." + QString(63, 'x') + "." + QString(63, 'x') + "." +
             QString(63, 'x'),
         QStringLiteral("域名超过255个字节")},  // 257 octets on the wire
    };
    for (const auto& [domain, cause] : cases) {
        fake.messages.shown.clear();
        Query(domain, kTypeA);
        ASSERT_EQ(fake.messages.shown.size(), 1u) << domain.toStdString();
        EXPECT_EQ(fake.messages.shown[0].text, prefix + cause);
        EXPECT_EQ(fake.messages.shown[0].title, QStringLiteral("异常错误"));
        EXPECT_EQ(fake.messages.shown[0].icon, platform::MessageIcon::Error);
    }
    EXPECT_TRUE(NothingSent());
}

TEST_F(QueryActionTest, ASendTheSystemRefusesIsReportedNotSilent) {
    // Port 0 cannot be a destination: the system refuses the send.
    OpenWindow(0);
    Query("example.com", kTypeA);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.messages.shown[0].text.startsWith(
        QStringLiteral("程序在打包和发送的过程中出现致命错误,错误描述:")));
    EXPECT_EQ(fake.messages.shown[0].title, QStringLiteral("异常错误"));
}

TEST_F(QueryActionTest, RepliesAreDecodedInArrivalOrderAndStrangersAreIgnored) {
    Query("example.com", kTypeA);
    NextQuery();
    const QNetworkDatagram first = last;
    Query("example.com", kTypeA);
    NextQuery();
    EXPECT_EQ(first.senderPort(), last.senderPort());  // one endpoint for the whole run

    QUdpSocket stranger;
    ASSERT_TRUE(stranger.bind(QHostAddress::LocalHost, 0));
    stranger.writeDatagram(ExampleAReply(66), QHostAddress::LocalHost, last.senderPort());
    Answer(ExampleAReply(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Rows().size() == 2; }));
    EXPECT_EQ(Rows().at(1), QStringLiteral("IP信息:192.0.2.1"));
    Answer(ExampleAReply(2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Rows().value(1).endsWith(".2"); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->wsk.DroppedCount() == 1; }));
    EXPECT_EQ(Rows(), QStringList({QStringLiteral("提交的域名为:example.com"),
                                   QStringLiteral("IP信息:192.0.2.2")}));
    EXPECT_TRUE(window->Txt_Show->text().startsWith("00 00 81 80 "));
}

TEST_F(QueryActionTest, EmptyAnswersShowOneBoxAndEmptyDatagramsChangeNothing) {
    Query("example.com", kTypeA);
    NextQuery();
    Answer(ExampleAReply(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Rows().size() == 2; }));

    QSignalSpy arrivals(&window->wsk, &net::Wsk::DataArrival);
    Answer(QByteArray());
    ASSERT_TRUE(arrivals.wait());
    EXPECT_EQ(Rows().size(), 2);

    QByteArray noAnswer = ExampleAReply(1).left(29);
    noAnswer[7] = 0;
    // The first box stays open until every reply is read: datagrams go on under it.
    fake.messages.whileOpen = [&] {
        (void)QTest::qWaitFor([&] { return arrivals.count() == 21; });
    };
    for (int i = 0; i < 20; ++i) {
        Answer(noAnswer);
    }
    // Every reply read and no box open: a box still to come is queued, and shows in the drain.
    ASSERT_TRUE(QTest::qWaitFor([&] { return arrivals.count() == 21 && !fake.messages.depth; }));
    testing::DrainEvents();
    // Boxes never pile up inside one another, however many such replies come.
    EXPECT_EQ(fake.messages.maxDepth, 1);
    EXPECT_LE(fake.messages.shown.size(), 3u);
    EXPECT_EQ(fake.messages.shown.back().text, QStringLiteral("请检查您输入的域名以及查询类型"));
    EXPECT_EQ(fake.messages.shown.back().title, QStringLiteral("未查询到结果?"));
    EXPECT_EQ(window->List_Show->count(), 0);
}

}  // namespace
}  // namespace quillet::app

namespace quillet::app {
namespace {

// The list, the context menu and the about box work together inside the real window.
// Screen readers: the caption buttons are push buttons that can be pressed, and the drop-down
// lists are named by their captions (Qt on Linux would name them by the row they show).
TEST_F(QueryActionTest, ScreenReadersFindNamedButtonsAndDropDowns) {
    const struct {
        QObject* control;
        QAccessible::Role role;
        QString name;
    } expected[] = {
        {window->LabControlBox[0], QAccessible::Button, QStringLiteral("最小化")},
        {window->LabControlBox[1], QAccessible::Button, QStringLiteral("关于作者")},
        {window->LabControlBox[2], QAccessible::Button, QStringLiteral("关闭")},
        {window->Comb_DNS, QAccessible::ComboBox, QStringLiteral("域名服务器")},
        {window->Comb_Sel, QAccessible::ComboBox, QStringLiteral("查询类型")},
        {window.get(), QAccessible::Window, QStringLiteral("Quillet")},
    };
    for (const auto& e : expected) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(e.control);
        ASSERT_NE(control, nullptr) << e.name.toStdString();
        EXPECT_EQ(control->role(), e.role) << e.name.toStdString();
        EXPECT_EQ(control->text(QAccessible::Name), e.name);
    }
    QAccessibleInterface* type = QAccessible::queryAccessibleInterface(window->Comb_Sel);
    EXPECT_EQ(type->text(QAccessible::Value), kTypeMX);
    ASSERT_NE(type->textInterface(), nullptr);  // where readers look for a drop-down's value
    EXPECT_EQ(type->textInterface()->text(0, type->textInterface()->characterCount()), kTypeMX);
    // A drop-down of Qt's own dialogs keeps Qt's interface, which names it by its row.
    QDialog dialog(window.get());
    auto* own = new QComboBox(&dialog);
    own->addItem(QStringLiteral("*.txt"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(own)->text(QAccessible::Name),
              own->currentText());
    // The hex dump's scratch box is never shown, and readers do not find it either.
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
    for (int i = 0; i < frame->childCount(); ++i) {
        EXPECT_NE(frame->child(i)->object(), window->Txt_Show);
    }

    // Pressed through the screen reader, the about button opens the box, with its own icon.
    QString title, description;
    QList<QSize> iconSizes;
    bool iconDrawn = false;
    QAccessible::Role linkRole = QAccessible::NoRole;
    QTimer inspector;
    QObject::connect(&inspector, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            title = box->windowTitle();
            iconSizes = box->windowIcon().availableSizes();
            iconDrawn = !box->windowIcon().pixmap(QSize(16, 16)).isNull();
            description =
                QAccessible::queryAccessibleInterface(box)->text(QAccessible::Description);
            if (auto* site = box->findChild<actions::ClickableLabel*>()) {
                QAccessibleInterface* link = QAccessible::queryAccessibleInterface(site);
                linkRole = link->role();
                link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            }
            box->close();
        }
    });
    inspector.start(10);
    QAccessibleActionInterface* about =
        QAccessible::queryAccessibleInterface(window->LabControlBox[1])->actionInterface();
    ASSERT_NE(about, nullptr);
    about->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !title.isEmpty(); }));
    EXPECT_EQ(title, QStringLiteral("关于作者"));
    // Its lines, spoken as it opens: Chinese lines are too few words for readers' own search.
    EXPECT_EQ(description, QStringLiteral("作者:Quillet QQ:000000 www.example.org"));
    EXPECT_EQ(iconSizes, QList<QSize>{QSize(16, 16)});
    EXPECT_TRUE(iconDrawn);
    // Its web-site line is a link that the reader can follow.
    EXPECT_EQ(linkRole, QAccessible::Link);
    EXPECT_EQ(fake.urls.opened, QStringList{QStringLiteral("www.example.org")});
    // Minimised, the window keeps its name.
    window->setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window.get())->text(QAccessible::Name),
              QStringLiteral("Quillet"));
}

// Under the Save dialog, the about box and a box over that one, no effect happens when driven
// by the route most likely to slip past its check; a press that clicks 100 ms later included.
TEST_F(QueryActionTest, UnderAModalBoxNoEffectHappensByAnyRoute) {
    fake.processes.installed = {QStringLiteral("x-terminal-emulator")};
    Query("example.com", kTypeA);
    NextQuery();
    Answer(ExampleAReply(7));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->List_Show->count() == 2; }));
    QTest::mousePress(window->List_Show->viewport(), Qt::RightButton, Qt::NoModifier, {20, 3});
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    menu->close();
    auto* box = qobject_cast<actions::FormTemp*>(menu->parent());
    auto reader = [](QObject* control) { return QAccessible::queryAccessibleInterface(control); };
    const QString pressing = QAccessibleActionInterface::pressAction();
    auto press = [&](QObject* control) { reader(control)->actionInterface()->doAction(pressing); };
    auto pressItem = [&](int i) { reader(menu)->child(i)->actionInterface()->doAction(pressing); };
    FrmMain& w = *window;
    QWidget* under = nullptr;  // the box the effects are tried under
    // Pressed where the about box does not stop what is its own.
    auto own = [&](QObject* control) {
        return [&, control] {
            if (under != box) press(control);
        };
    };
    bool aboutOver = false;  // the about box opened over another box
    bool aboutWasOpen = false;
    const struct {
        QString effect;
        std::function<void()> drive;
        std::function<bool()> happened;
    } effects[] = {
        {"query", [&] { press(w.CMD_Send); }, [&] { return !NothingSent(); }},
        {"domain", [&] { reader(w.Txt_Domain)->setText(QAccessible::Value, "y"); },
         [&] { return w.Txt_Domain->text() != "example.com"; }},
        {"selection", [&] { reader(w.List_Show)->tableInterface()->selectRow(1); },
         [&] { return w.List_Show->selectionModel()->isRowSelected(1); }},
        {"ping", [&] { pressItem(0); }, [&] { return !fake.processes.started.empty(); }},
        {"search", [&] { pressItem(1); },
         [&] { return !fake.urls.opened.filter("baidu").isEmpty(); }},
        {"export", [&] { pressItem(2); }, [&] { return fake.saveDialog.asked > 1; }},
        {"about", [&] { press(w.LabControlBox[1]); }, [&] { return aboutOver; }},
        {"minimise", [&] { press(w.LabControlBox[0]); }, [&] { return w.isMinimized(); }},
        {"close", [&] { press(w.LabControlBox[2]); }, [&] { return !w.isVisible(); }},
        {"link", own(box->Label3), [&] { return fake.urls.opened.contains("www.example.org"); }},
        {"about closes", own(box->Command1), [&] { return aboutWasOpen && !box->isVisible(); }},
        {"drop-down", [&] { press(w.Comb_DNS); }, [&] { return w.Comb_DNS->view()->isVisible(); }},
    };
    QStringList happened;
    auto tryEverything = [&](const QString& where) {
        if (under != nullptr) return;  // asked again from a box an effect opened
        under = QApplication::activeModalWidget();
        aboutWasOpen = box->isVisible();
        for (const auto& e : effects) e.drive();
        QTest::qWait(150);  // a pressed button clicks 100 ms later
        for (const auto& e : effects) {
            if (e.happened()) happened << e.effect + " under " + where;
        }
        under = nullptr;
    };
    bool aboutTried = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* top = QApplication::activeModalWidget();
        if (top == nullptr || top == under) return;
        if (under != nullptr) {
            aboutOver = aboutOver || top == box;
            top->close();
        } else if (top == box && !aboutTried) {
            aboutTried = true;
            tryEverything(QStringLiteral("the about box"));
            fake.messages.whileOpen = [&] { tryEverything(QStringLiteral("a box over it")); };
            fake.platform.messages.Show(box, QStringLiteral("over"), {}, {});
            box->close();
        }
    });
    watcher.start(10);

    fake.saveDialog.whileOpen = [&] { tryEverything(QStringLiteral("the Save dialog")); };
    pressItem(2);
    EXPECT_EQ(fake.saveDialog.asked, 0);  // the reader's call returns before the dialog opens
    ASSERT_TRUE(QTest::qWaitFor([&] { return fake.saveDialog.asked > 0; }));
    press(w.LabControlBox[1]);
    EXPECT_TRUE(QTest::qWaitFor([&] { return aboutTried && !QApplication::activeModalWidget(); }));
    EXPECT_TRUE(happened.isEmpty()) << happened.join(", ").toStdString();
}

TEST_F(QueryActionTest, ARightPressOnARowOffersTheMenuThatActsOnThatRow) {
    Query("example.com", kTypeA);
    NextQuery();
    Answer(quillet::testing::ExampleAReply(7));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->List_Show->count() == 2; }));

    QWidget* rows = window->List_Show->viewport();
    const QPoint secondRow(20, 14 + 3);
    QTest::mouseMove(rows, secondRow);
    EXPECT_EQ(window->List_Show->currentRow(), 1);
    EXPECT_EQ(window->List_Show->toolTip(), QStringLiteral("IP信息:192.0.2.7"));

    QTest::mousePress(rows, Qt::RightButton, Qt::NoModifier, secondRow);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QStringList captions;
    for (QAction* action : menu->actions()) {
        captions << action->text();
    }
    EXPECT_EQ(captions, QStringList({QStringLiteral("PING工具"), QStringLiteral("百度一下"),
                                     QStringLiteral("导出结果")}));
    EXPECT_EQ(menu->activeAction(), nullptr);  // nothing under a pointer that has not moved
    menu->actions().at(1)->trigger();
    menu->close();
    EXPECT_EQ(fake.urls.opened,
              QStringList({QStringLiteral("https://www.baidu.com/s?wd=domain:192.0.2.7")}));

    // From the keys, the named menu starts on its first item, which readers announce.
    QTest::keyClick(window->List_Show, Qt::Key_Menu);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->activeAction() != nullptr; }));
    EXPECT_EQ(menu->activeAction(), menu->actions().constFirst());
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(menu);
    EXPECT_EQ(spoken->text(QAccessible::Name), QStringLiteral("右键菜单"));
    // Readers take a menu that its parent does not list for a dead one and skip its name.
    QAccessibleInterface* parent = spoken->parent();
    ASSERT_NE(parent->indexOfChild(spoken), -1);
    EXPECT_EQ(parent->child(parent->indexOfChild(spoken)), spoken);
    menu->close();
}

// Whatever still reaches the list, the menu or the endpoint while the window's parts go must
// find what it uses (the sanitizer tree watches).
TEST_F(QueryActionTest, TheWindowGoesCleanlyWithItsMenuOpenAndAReplyPending) {
    Query("example.com", kTypeA);
    NextQuery();
    Answer(ExampleAReply(7));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->List_Show->count() == 2; }));
    QTest::mousePress(window->List_Show->viewport(), Qt::RightButton, Qt::NoModifier, {20, 17});
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    Answer(ExampleAReply(8));
    window.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

}  // namespace
}  // namespace quillet::app
