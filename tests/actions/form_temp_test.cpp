#include <gtest/gtest.h>

#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <tuple>

#include "fakes.h"

namespace quillet::actions::testing {
namespace {

// Runs `whileOpen` once the modal about box is up, then presses its button. `whileOpen` only
// records what it sees: a failed assertion there would leave the box open, and the test hung.
void WithAboutBoxOpen(ActionsWorld& world, const std::function<void(FormTemp&)>& whileOpen) {
    bool closedByButton = false;
    QTimer::singleShot(0, [&] {
        FormTemp* form = world.Box();
        whileOpen(*form);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        closedByButton = !form->isVisible();
        form->reject();  // ends the modal loop whatever the button did
    });
    world.host->ShowAboutModal(&world.window);
    EXPECT_TRUE(closedByButton);
}

TEST(FormTemp, FixedSizeBoxWhoseTextsFit) {
    ActionsWorld world;
    FormTemp* form = world.host->Ensure();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("关于作者"));
    EXPECT_EQ(form->minimumSize(), QSize(136, 108));
    EXPECT_EQ(form->maximumSize(), QSize(136, 108));
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form->parentWidget(), &world.window);  // a transient window: no task bar entry

    // The lines have fixed widths; whatever the font, their texts must fit.
    for (const QLabel* label : {form->Label1, form->Label2, static_cast<QLabel*>(form->Label3)}) {
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
            << label->text().toStdString();
    }
    EXPECT_TRUE(form->Label1->text().startsWith(QStringLiteral("作者:")));
    EXPECT_TRUE(form->Label2->text().startsWith(QStringLiteral("QQ:")));
    EXPECT_EQ(form->Command1->text(), QStringLiteral("看完了"));
}

// Its frame, announced once it is up, is centred on the window's (255 x 408: offscreen frames
// the 251 x 404 window too) and kept on the 800 x 600 screen.
TEST(FormTemp, OpensModalWithItsFrameCentredAndTheFocusOnItsButton) {
    const std::tuple<QPoint, QMargins, QPoint> cases[] = {
        // window, frame, box's client area
        {{300, 200}, {}, {359, 350}},
        {{300, 200}, {1, 20, 1, 1}, {359, 359}},
        {{300, 200}, {4, 29, 4, 4}, {359, 362}},
        {{-150, 20}, {1, 20, 1, 1}, {1, 179}},
        {{-150, 20}, {4, 29, 4, 4}, {4, 182}},
    };
    ActionsWorld world;
    for (const auto& [window, frame, expected] : cases) {
        world.windows.frame = frame;
        world.window.move(window);
        bool visibleAndModal = false;
        QPoint client;
        QWidget* focus = nullptr;
        QWidget* button = nullptr;
        WithAboutBoxOpen(world, [&](FormTemp& form) {
            visibleAndModal =
                form.isVisible() && form.isModal() && QApplication::activeModalWidget() == &form;
            client = form.geometry().topLeft();
            focus = form.focusWidget();
            button = form.Command1;
        });
        EXPECT_TRUE(visibleAndModal);
        EXPECT_EQ(client, expected) << window.x() << " " << frame.top();
        EXPECT_EQ(focus, button);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST(FormTemp, ItsButtonDestroysItAndTheNextUseMakesANewOne) {
    ActionsWorld world;
    world.Fill({QStringLiteral("IP信息:192.0.2.1")});
    world.Press(3);  // the menu creates the box, hidden
    QPointer<FormTemp> menuOwner = world.Box();
    ASSERT_NE(menuOwner, nullptr);

    // Opening the about box shows that same window; opening it again inside changes nothing.
    FormTemp* shown = nullptr;
    bool stillOpen = false;
    WithAboutBoxOpen(world, [&](FormTemp& form) {
        world.host->ShowAboutModal(&world.window);
        shown = &form;
        stillOpen = form.isVisible() && QApplication::activeModalWidget() == &form;
    });
    EXPECT_EQ(shown, menuOwner.data());
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(QTest::qWaitFor([&] { return menuOwner == nullptr; }));
    EXPECT_EQ(world.Box(), nullptr);

    world.Press(3);  // the menu works again, from a new box
    ASSERT_EQ(world.popups.size(), 2u);
    ASSERT_NE(world.Box(), nullptr);
    EXPECT_EQ(world.popups[1], world.Box()->Menu_Left);
    EXPECT_FALSE(world.Box()->isVisible());
}

// The box that runs an export is the one the about box shows; closed and destroyed while the
// export waits in the Save dialog, it leaves the export what it needs (the sanitizer tree watches).
TEST(FormTemp, DestroyedWhileItsExportWaitsTheExportStillEnds) {
    ActionsWorld world;
    world.Fill({QStringLiteral("IP信息:192.0.2.1")});
    QTemporaryDir dir;
    world.saveDialog.answer = dir.filePath(QStringLiteral("out.txt"));
    const QPointer<FormTemp> exporter = world.host->Ensure();
    const FormTemp* made = exporter;
    FormTemp* shown = nullptr;
    world.saveDialog.whileOpen = [&] {
        WithAboutBoxOpen(world, [&](FormTemp& form) { shown = &form; });
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    exporter->Menu_Save->trigger();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(shown, made);
    EXPECT_EQ(exporter, nullptr);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].title, QStringLiteral("导出结果成功"));
}

TEST(FormTemp, MenuItemsReactToTheLeftButtonOnly) {
    ActionsWorld world;
    world.Fill({QStringLiteral("IP信息:192.0.2.1")});
    world.Press(3);
    FormTemp* form = world.Box();
    ASSERT_NE(form, nullptr);
    const struct {
        Qt::MouseButton button;
        qsizetype searches;
    } clicks[] = {{Qt::RightButton, 0}, {Qt::MiddleButton, 0}, {Qt::LeftButton, 1}};
    for (const auto& click : clicks) {
        form->Menu_Left->popup(world.window.mapToGlobal(QPoint(20, 20)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Menu_Left));
        const QPoint item = form->Menu_Left->actionGeometry(form->menu_baidu).center();
        QTest::mouseMove(form->Menu_Left, item);
        QTest::mouseClick(form->Menu_Left, click.button, Qt::NoModifier, item);
        EXPECT_EQ(world.urls.opened.size(), click.searches) << click.button;
        form->Menu_Left->close();
    }
}

TEST(FormTemp, WebSiteLineOpensItsOwnTextAndLeavesTheBoxOpen) {
    ActionsWorld world;
    QString link;
    bool stillOpen = false;
    WithAboutBoxOpen(world, [&](FormTemp& form) {
        QTest::mouseClick(form.Label3, Qt::LeftButton);
        QTest::mouseClick(form.Label1, Qt::LeftButton);
        QTest::mouseClick(form.Label2, Qt::LeftButton);
        QTest::keyClick(form.Command1, Qt::Key_Tab);  // the line is reached without a mouse
        QTest::keyClick(form.focusWidget(), Qt::Key_Return);
        link = form.Label3->text();
        stillOpen = form.isVisible();
    });
    EXPECT_EQ(world.urls.opened, QStringList({link, link}));
    EXPECT_EQ(link, QStringLiteral("www.example.org"));
    EXPECT_TRUE(stillOpen);
}

}  // namespace
}  // namespace quillet::actions::testing
