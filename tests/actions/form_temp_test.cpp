#include <gtest/gtest.h>

#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "fakes.h"

namespace quillet::actions::testing {
namespace {

// Runs `whileOpen` once the modal about box is up, then presses its button.
void WithAboutBoxOpen(ActionsWorld& world, const std::function<void(FormTemp&)>& whileOpen) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        FormTemp* form = world.host->Current();
        ASSERT_NE(form, nullptr);
        whileOpen(*form);
        ran = true;
        QTest::mouseClick(form->Command1, Qt::LeftButton);
    });
    world.host->ShowAboutModal(&world.window);
    EXPECT_TRUE(ran);
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

TEST(FormTemp, OpensModalCentredWithTheFocusOnItsButton) {
    ActionsWorld world;
    world.window.move(300, 200);
    WithAboutBoxOpen(world, [&](FormTemp& form) {
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), &form);
        const QPoint offCentre = form.geometry().center() - world.window.geometry().center();
        EXPECT_LE(offCentre.manhattanLength(), 2);
        EXPECT_EQ(form.focusWidget(), form.Command1);
    });
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(FormTemp, ItsButtonDestroysItAndTheNextUseMakesANewOne) {
    ActionsWorld world;
    world.Fill({QStringLiteral("IP信息:192.0.2.1")});
    world.Press(3);  // the menu creates the box, hidden
    QPointer<FormTemp> menuOwner = world.host->Current();
    ASSERT_NE(menuOwner, nullptr);

    // Opening the about box shows that same window.
    WithAboutBoxOpen(world, [&](FormTemp& form) { EXPECT_EQ(&form, menuOwner.data()); });
    EXPECT_EQ(menuOwner, nullptr);
    EXPECT_EQ(world.host->Current(), nullptr);

    world.Press(3);  // the menu works again, from a new box
    ASSERT_EQ(world.popups.size(), 2u);
    ASSERT_NE(world.host->Current(), nullptr);
    EXPECT_EQ(world.popups[1], world.host->Current()->Menu_Left);
    EXPECT_FALSE(world.host->Current()->isVisible());
}

TEST(FormTemp, MenuItemsReactToTheLeftButtonOnly) {
    ActionsWorld world;
    world.Fill({QStringLiteral("IP信息:192.0.2.1")});
    world.Press(3);
    FormTemp* form = world.host->Current();
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
    WithAboutBoxOpen(world, [&](FormTemp& form) {
        QTest::mouseClick(form.Label3, Qt::LeftButton);
        QTest::mouseClick(form.Label1, Qt::LeftButton);
        QTest::mouseClick(form.Label2, Qt::LeftButton);
        EXPECT_EQ(world.urls.opened, QStringList{form.Label3->text()});
        EXPECT_TRUE(form.isVisible());
    });
    EXPECT_EQ(world.urls.opened, QStringList{QStringLiteral("www.example.org")});
}

}  // namespace
}  // namespace quillet::actions::testing
