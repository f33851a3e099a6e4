#include "app/skin/frame_chrome.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/skin/draw_module.h"
#include "app/skin/retained_surface.h"
#include "app/skin/skin_pictures.h"
#include "support/drain_events.h"
#include "support/fake_platform.h"

namespace quillet::app {
namespace {

using testing::FakeWindowSystem;

const QColor kBackground(0xec, 0xf6, 0xf8);
const QColor kLine(0x2f, 0x4a, 0x55);  // the frame's outer line

TEST(FramePlacement, CentredUnlessTheWindowDoesNotFit) {
    struct Case {
        QRect area;
        QPoint topLeft;
    };
    for (const Case& c : std::vector<Case>{
             {{0, 0, 1280, 800}, {514, 198}},
             {{1280, 0, 1920, 1080}, {2114, 338}},  // a second screen
             {{0, 0, 640, 400}, {194, 0}},          // 1280 x 800 at scale 2: too low
             {{0, 30, 640, 370}, {194, 30}},        // under a top panel
             {{100, 50, 200, 300}, {100, 50}},      // too narrow and too low
         }) {
        EXPECT_EQ(CentredTopLeft(c.area, kMinimumWindowSize), c.topLeft)
            << c.area.x() << "," << c.area.y() << " " << c.area.width() << "x" << c.area.height();
    }
}

// The retained image and the direct layer, on a hidden window so only the test paints.
class RetainedSurfaceTest : public ::testing::Test {
protected:
    RetainedSurfaceTest() {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, kBackground);
        window.setPalette(palette);
        window.resize(100, 60);
        surface.Resize();
        surface.Clear();  // the surface was made before the window had its colours
    }

    QImage Repaint(const QRegion& exposed) {
        QImage screen(window.size(), QImage::Format_ARGB32_Premultiplied);
        screen.fill(Qt::black);
        QPainter p(&screen);
        p.setClipRegion(exposed);
        surface.Paint(p, exposed);
        return screen;
    }

    void Fill(const QRect& area, QColor colour) {
        surface.Draw(area, [&](QPainter& p) { p.fillRect(area, colour); });
    }

    QWidget window;
    RetainedSurface surface{window};
    const QRect a{10, 10, 20, 20};
    const QRect b{60, 10, 20, 20};
};

TEST_F(RetainedSurfaceTest, DirectDrawingLastsUntilItsAreaIsRepaintedAgain) {
    Fill(a, Qt::red);
    surface.SetRetainedDrawing(false);
    Fill(a, Qt::blue);
    Fill(b, Qt::green);

    // A repaint elsewhere neither shows nor spends the direct drawing of `a`.
    EXPECT_EQ(Repaint(b).pixelColor(65, 15), QColor(Qt::green));
    EXPECT_EQ(Repaint(a).pixelColor(15, 15), QColor(Qt::blue));
    // Both have been shown; the next repaint of their areas shows the retained image.
    const QImage again = Repaint(window.rect());
    EXPECT_EQ(again.pixelColor(15, 15), QColor(Qt::red));
    EXPECT_EQ(again.pixelColor(65, 15), kBackground);
}

TEST_F(RetainedSurfaceTest, ClearAndRetainedDrawingWipeDirectDrawing) {
    Fill(a, Qt::red);
    surface.SetRetainedDrawing(false);
    Fill(b, Qt::green);
    surface.Clear();  // retained off: only the direct drawing goes
    QImage screen = Repaint(window.rect());
    EXPECT_EQ(screen.pixelColor(15, 15), QColor(Qt::red));
    EXPECT_EQ(screen.pixelColor(65, 15), kBackground);

    Fill(b, Qt::green);
    surface.SetRetainedDrawing(true);
    Fill(b, Qt::red);
    EXPECT_EQ(Repaint(b).pixelColor(65, 15), QColor(Qt::red));
    surface.Clear();
    EXPECT_EQ(Repaint(window.rect()).pixelColor(15, 15), kBackground);
}

// A plain window with the caption buttons and one label standing in for the controls.
class ChromeTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setWindowTitle(QStringLiteral("Quillet"));
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, kBackground);
        window.setPalette(palette);
        const int widths[] = {27, 25, 43};
        for (int i = 0; i < 3; ++i) {
            boxes[i] = new QLabel(&window);
            boxes[i]->resize(widths[i], 17);
        }
        control = new QLabel(QStringLiteral("domain"), &window);
        control->setGeometry(10, 113, 56, 18);
        window.resize(251, 404);
        chrome = std::make_unique<FrameChrome>(
            window, boxes, windows,
            FrameChrome::Actions{[this] { ++abouts; }, [this] { ++closes; }});
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // Start-up is over once the first tick has turned retained drawing off.
        ASSERT_TRUE(QTest::qWaitFor([this] { return !chrome->Timer1.isActive(); }));
        ASSERT_FALSE(chrome->RetainedDrawing());
        windows.starts.clear();
    }

    void Send(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button,
              Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, target->mapTo(&window, at), target->mapToGlobal(at), button,
                          buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }

    // A few pixels of every kind of piece, the middle, and the caption buttons: the same at
    // any size. The side and bottom bands are the window's colour inside the outer line.
    void ExpectFrameWhole(const QImage& image) {
        const int w = window.width();
        const int h = window.height();
        const QColor band(0xbd, 0xe3, 0xec), buttons(0xdd, 0xe2, 0xe4);
        using At = std::pair<QPoint, QColor>;
        for (const auto& [at, colour] :
             {At{{1, 1}, kLine}, At{{w - 2, h - 2}, kLine}, At{{w - 1, h / 2}, kLine},
              At{{3, h / 2 + 20}, kBackground}, At{{w / 2, h - 1}, kLine}, At{{w / 2, 30}, band},
              At{{w - 90, 8}, buttons}, At{{w - 10, 8}, buttons}, At{{w / 2, h / 2}, kBackground},
              At{{5, h - 20}, kBackground}, At{{w - 30, 150}, kBackground}}) {
            EXPECT_EQ(image.pixelColor(at), colour)
                << at.x() << "," << at.y() << " of " << w << "x" << h;
        }
    }

    QRgb StripPixel(int look, int index, QPoint at) const {
        return Pictures().ImgBox[look].ForRatio(1).pixel(QPoint(kControlBoxStripLeft[index], 0) +
                                                         at);
    }

    QWidget window;
    std::array<QLabel*, 3> boxes{};
    QLabel* control = nullptr;
    FakeWindowSystem windows;
    int abouts = 0;
    int closes = 0;
    std::unique_ptr<FrameChrome> chrome;
};

// The pointer shows a resize shape only 5 pixels in from an edge; a press 8 in still resizes.
TEST_F(ChromeTest, LeftPressAndPointerShapeFollowTheBands) {
    const int w = window.width();
    const int h = window.height();
    using Start = FakeWindowSystem::Start;
    const Start move{true, {}}, right{false, Qt::RightEdge}, bottom{false, Qt::BottomEdge};
    struct Case {
        QPoint at;
        Start start;
        Qt::CursorShape shape;
    };
    for (const Case& c : std::vector<Case>{
             {{w - 8, 100}, right, Qt::ArrowCursor},
             {{w - 5, 100}, right, Qt::SizeHorCursor},
             {{w - 10, 100}, move, Qt::ArrowCursor},  // the bands are strict
             {{100, h - 8}, bottom, Qt::ArrowCursor},
             {{100, h - 5}, bottom, Qt::SizeVerCursor},
             {{w - 15, h - 15}, {false, Qt::RightEdge | Qt::BottomEdge}, Qt::SizeFDiagCursor},
             {{w - 15, h - 25}, move, Qt::ArrowCursor},
             {{w - 5, h - 25}, right, Qt::SizeHorCursor},
             {{w - 25, h - 5}, bottom, Qt::SizeVerCursor},
             {{0, 100}, move, Qt::ArrowCursor},
             {{100, 0}, move, Qt::ArrowCursor},
             {{120, 250}, move, Qt::ArrowCursor},
         }) {
        windows.starts.clear();
        QTest::mouseMove(&window, c.at);
        EXPECT_EQ(window.cursor().shape(), c.shape) << c.at.x() << "," << c.at.y();
        QTest::mousePress(&window, Qt::LeftButton, {}, c.at);
        QTest::mouseRelease(&window, Qt::LeftButton, {}, c.at);
        EXPECT_EQ(windows.starts, std::vector<Start>{c.start}) << c.at.x() << "," << c.at.y();
    }
}

TEST_F(ChromeTest, OtherButtonsAndPressesOnControlsStartNothing) {
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(&window, button, {}, QPoint(120, 250));
        QTest::mouseRelease(&window, button, {}, QPoint(120, 250));
    }
    // The label lets the press through to the window; it is still the label's.
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(20, 120));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(20, 120));
    EXPECT_TRUE(windows.starts.empty());
}

TEST_F(ChromeTest, CaptionButtonsAndShapeFollowTheRightEdge) {
    window.resize(300, 404);
    EXPECT_EQ(boxes[0]->pos(), QPoint(197, 0));
    EXPECT_EQ(boxes[1]->pos(), QPoint(224, 0));
    EXPECT_EQ(boxes[2]->pos(), QPoint(249, 0));
    ASSERT_FALSE(windows.shapes.empty());
    EXPECT_EQ(windows.shapes.back().boundingRect(), QRect(0, 0, 300, 404));
    ExpectFrameWhole(window.grab().toImage());
    ExpectFrameWhole(chrome->Surface().Retained());
}

TEST_F(ChromeTest, PaintedWindowShowsTheFrameAndTitle) {
    const QImage image = window.grab().toImage();
    ExpectFrameWhole(image);
    int dark = 0;
    for (int y = 4; y < 18; ++y) {
        for (int x = 30; x < 90; ++x) {
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 20) << "no title at (30, 4)";
}

TEST_F(ChromeTest, ReleaseCountsOnlyStrictlyInsideTheButton) {
    QLabel* close = boxes[2];
    struct Case {
        QPointF at;
        int closes;
    };
    for (const Case& c : std::vector<Case>{
             {{20, -3}, 0},  // above the top edge
             {{-3, 8}, 0},   // left of it
             {{20, 0}, 0},   // on the top row: not strictly inside
             {{0, 8}, 0},    // on the left column
             {{43, 8}, 0},   // one past the right
             {{20, 17}, 0},  // one past the bottom
             {{20, 8}, 1},
             {{42.5, 16.5}, 1},
         }) {
        closes = 0;
        Send(close, QEvent::MouseButtonPress, {20, 8}, Qt::LeftButton, Qt::LeftButton);
        Send(close, QEvent::MouseButtonRelease, c.at, Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(closes, c.closes) << c.at.x() << "," << c.at.y();
    }
    EXPECT_EQ(abouts, 0);
    EXPECT_TRUE(windows.starts.empty()) << "a press on a caption button moved the window";
}

TEST_F(ChromeTest, ButtonLooksAreDrawnStraightToTheScreen) {
    const int left = window.width() - 103;
    Send(boxes[0], QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    QImage image = window.grab().toImage();
    EXPECT_EQ(image.pixel(left + 13, 8), StripPixel(1, 0, {13, 8}));
    EXPECT_EQ(image.pixel(left + 40, 8), StripPixel(0, 1, {13, 8}));

    // The about button keeps its pressed look over the modal box and after it.
    Send(boxes[1], QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    Send(boxes[1], QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(abouts, 1);
    image = window.grab().toImage();
    EXPECT_EQ(image.pixel(left + 13, 8), StripPixel(0, 0, {13, 8}));
    EXPECT_EQ(image.pixel(left + 40, 8), StripPixel(2, 1, {13, 8}));

    // Once repainted, the window shows what the retained frame holds: the normal look.
    window.repaint();
    image = window.grab().toImage();
    EXPECT_EQ(image.pixel(left + 40, 8), StripPixel(0, 1, {13, 8}));
}

TEST_F(ChromeTest, MinimiseThenRestoreLeavesTheFrameWholeAndTimer1Stopped) {
    QTest::mouseClick(boxes[0], Qt::LeftButton, {}, QPoint(13, 8));
    EXPECT_TRUE(window.isMinimized());
    EXPECT_TRUE(chrome->Timer1.isActive());
    // Minimised, it rests with retained drawing on, and wakes when the window comes back.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !chrome->Timer1.isActive(); }));
    EXPECT_TRUE(chrome->RetainedDrawing());

    window.showNormal();
    EXPECT_TRUE(chrome->Timer1.isActive());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !chrome->Timer1.isActive(); }));
    EXPECT_FALSE(window.isMinimized());
    EXPECT_FALSE(chrome->RetainedDrawing());
    ExpectFrameWhole(chrome->Surface().Retained());
    window.repaint();
    ExpectFrameWhole(window.grab().toImage());
}

TEST_F(ChromeTest, RefusedDragMovesAndResizesTheWindowItself) {
    windows.accept = false;
    const QPoint start = window.pos();
    Send(&window, QEvent::MouseButtonPress, {120, 250}, Qt::LeftButton, Qt::LeftButton);
    Send(&window, QEvent::MouseMove, {150, 270}, Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.pos() == start + QPoint(30, 20); }))
        << window.pos().x() << "," << window.pos().y();
    Send(&window, QEvent::MouseButtonRelease, {150, 270}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(chrome->Dragging());

    const QSize size = window.size();
    const QPointF corner(size.width() - 15, size.height() - 15);
    Send(&window, QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    Send(&window, QEvent::MouseMove, corner + QPointF(40, 30), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.size(), size + QSize(40, 30));
    Send(&window, QEvent::MouseButtonRelease, corner + QPointF(40, 30), Qt::LeftButton,
         Qt::NoButton);
    EXPECT_EQ(boxes[2]->pos(), QPoint(window.width() - 51, 0));
    ExpectFrameWhole(chrome->Surface().Retained());

    // After the release, moving the pointer drags nothing.
    Send(&window, QEvent::MouseMove, {20, 250}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(window.size(), size + QSize(40, 30));

    // Dragged inwards past the design size, the window stops there.
    const QPointF right(window.width() - 5, 100);
    Send(&window, QEvent::MouseButtonPress, right, Qt::LeftButton, Qt::LeftButton);
    Send(&window, QEvent::MouseMove, right - QPointF(400, 0), Qt::NoButton, Qt::LeftButton);
    Send(&window, QEvent::MouseButtonRelease, right - QPointF(400, 0), Qt::LeftButton,
         Qt::NoButton);
    EXPECT_EQ(window.size(), QSize(251, size.height() + 30));
    EXPECT_EQ(window.minimumSize(), kMinimumWindowSize) << "the window system's resize";
}

TEST_F(ChromeTest, UnderACompositorTheWindowIsLeftWhereItPutsIt) {
    chrome->PlaceCentred(QRect(0, 0, 640, 400));
    EXPECT_EQ(window.pos(), QPoint(194, 0));

    windows.compositor = true;
    windows.accept = false;
    chrome->PlaceCentred(QRect(0, 0, 1280, 800));
    Send(&window, QEvent::MouseButtonPress, {120, 250}, Qt::LeftButton, Qt::LeftButton);
    Send(&window, QEvent::MouseMove, {150, 270}, Qt::NoButton, Qt::LeftButton);
    Send(&window, QEvent::MouseButtonRelease, {150, 270}, Qt::LeftButton, Qt::NoButton);
    testing::DrainEvents();  // a move shows in pos() one event-loop turn later
    EXPECT_EQ(window.pos(), QPoint(194, 0));
}

TEST(FrameUnderACompositor, WindowIsTranslucentOutsideItsOutline) {
    FakeWindowSystem windows;
    windows.compositor = true;
    QWidget window;
    window.setAutoFillBackground(true);
    std::array<QLabel*, 3> boxes{new QLabel(&window), new QLabel(&window), new QLabel(&window)};
    window.resize(251, 404);
    FrameChrome chrome(window, boxes, windows, {});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage image = window.grab().toImage();
    for (const QPoint corner : {QPoint(0, 0), QPoint(1, 0), QPoint(250, 403), QPoint(0, 403)}) {
        EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
    }
    EXPECT_EQ(image.pixelColor(2, 0), kLine);
    EXPECT_EQ(image.pixelColor(125, 300), window.palette().color(QPalette::Window));
}

TEST_F(ChromeTest, AcceptedDragIsLeftToTheWindowSystem) {
    const QPoint start = window.pos();
    Send(&window, QEvent::MouseButtonPress, {120, 250}, Qt::LeftButton, Qt::LeftButton);
    Send(&window, QEvent::MouseMove, {150, 270}, Qt::NoButton, Qt::LeftButton);
    testing::DrainEvents();  // a move shows in pos() one event-loop turn later
    EXPECT_EQ(window.pos(), start);
    EXPECT_FALSE(chrome->Dragging());
    Send(&window, QEvent::MouseButtonRelease, {150, 270}, Qt::LeftButton, Qt::NoButton);
}

}  // namespace
}  // namespace quillet::app
