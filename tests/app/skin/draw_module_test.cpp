#include "app/skin/draw_module.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "app/skin/skin_pictures.h"
#include "platform/window_system.h"

namespace quillet::app {
namespace {

using DrawModule::Piece;
using DrawModule::PieceKind;
using DrawModule::PlanSkin;
using DrawModule::RoundRectArgs;
using DrawModule::SkinPlan;

const QSize kDesign{251, 404};
const QSize kPicture{433, 419};

TEST(DrawModuleRounding, HalvesGoToTheEvenNeighbour) {
    struct Case {
        double value;
        double expected;
    };
    for (const Case c : std::vector<Case>{
             {6.6667, 7}, {8.3333, 8}, {2.5, 2}, {3.5, 4}, {0.5, 0}, {-1.5, -2}, {7.0, 7}}) {
        EXPECT_EQ(DrawModule::Rnd(c.value), c.expected) << c.value;
    }
}

TEST(DrawModuleRegion, EllipseFollowsTheScreensTwipsPerPixel) {
    struct Case {
        double dpi;
        int twips;
        RoundRectArgs args;
    };
    for (const Case c : std::vector<Case>{
             {96, 15, {252, 405, 7, 7}},
             {120, 12, {252, 405, 8, 8}},
             {144, 10, {252, 405, 10, 10}},
             {72, 20, {252, 405, 5, 5}},
         }) {
        EXPECT_EQ(DrawModule::TwipsPerPixel(c.dpi), c.twips) << c.dpi;
        EXPECT_EQ(DrawModule::SkinRgnArgs(1.0, 1.0, 1, 1, kDesign, c.twips, c.twips), c.args)
            << c.dpi;
    }
}

TEST(DrawModuleRegion, RoundRectCoversTheWindowWithRoundedCorners) {
    // (0, 0, W + 1, H + 1) with a 7 x 7 ellipse, as DrawSkin asks for the design size.
    const QRegion shape = platform::RoundRectRegion(0, 0, 252, 405, 7, 7);
    EXPECT_EQ(shape.boundingRect(), QRect(QPoint(0, 0), kDesign));

    for (const QPoint inside :
         {QPoint(125, 0), QPoint(125, 403), QPoint(0, 200), QPoint(250, 200), QPoint(2, 0),
          QPoint(1, 1), QPoint(0, 2), QPoint(248, 0), QPoint(249, 1), QPoint(250, 401)}) {
        EXPECT_TRUE(shape.contains(inside)) << inside.x() << "," << inside.y();
    }
    for (const QPoint outside :
         {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(250, 0), QPoint(0, 403),
          QPoint(250, 403), QPoint(249, 403), QPoint(251, 200), QPoint(125, 404)}) {
        EXPECT_FALSE(shape.contains(outside)) << outside.x() << "," << outside.y();
    }

    EXPECT_EQ(platform::RoundRectRegion(0, 0, 252, 405, 0, 0), QRegion(0, 0, 251, 404));
    EXPECT_TRUE(platform::RoundRectRegion(0, 0, 1, 1, 7, 7).isEmpty());
}

// The last piece of `plan` that covers `point`, which is what the window shows there.
std::optional<Piece> LastPieceAt(const SkinPlan& plan, QPoint point) {
    std::optional<Piece> last;
    for (const Piece& piece : plan.pieces) {
        if (QRect(piece.dest, piece.source.size()).contains(point)) last = piece;
    }
    return last;
}

std::string Kinds(const SkinPlan& plan) {
    std::string kinds;
    for (const Piece& piece : plan.pieces) {
        kinds += "TBLR1234"[static_cast<int>(piece.kind)];
    }
    return kinds;
}

std::vector<int> DestX(const SkinPlan& plan, PieceKind kind) {
    std::vector<int> xs;
    for (const Piece& piece : plan.pieces) {
        if (piece.kind == kind) {
            xs.push_back(piece.dest.x());
        }
    }
    return xs;
}

TEST(DrawModulePlan, DesignSizePiecesInOrder) {
    const SkinPlan plan = PlanSkin(kDesign, kPicture);
    EXPECT_EQ(Kinds(plan),
              "TBTBTBTBTB"
              "LRLRLRLRLRLRLRLR"
              "1234");

    const std::vector<Piece> edges(plan.pieces.begin(), plan.pieces.begin() + 12);
    EXPECT_EQ(edges[0], (Piece{PieceKind::Top, QRect(200, 0, 50, 200), QPoint(0, 0)}));
    EXPECT_EQ(edges[1], (Piece{PieceKind::Bottom, QRect(200, 369, 50, 50), QPoint(0, 354)}));
    EXPECT_EQ(edges[9], (Piece{PieceKind::Bottom, QRect(200, 369, 50, 50), QPoint(200, 354)}));
    EXPECT_EQ(edges[10], (Piece{PieceKind::Left, QRect(0, 100, 50, 50), QPoint(0, 0)}));
    EXPECT_EQ(edges[11], (Piece{PieceKind::Right, QRect(383, 100, 50, 50), QPoint(201, 0)}));
    EXPECT_EQ(plan.pieces[24].dest, QPoint(0, 350));
    EXPECT_EQ(plan.pieces[25].dest, QPoint(201, 350));

    const std::vector<Piece> corners(plan.pieces.end() - 4, plan.pieces.end());
    EXPECT_EQ(corners, (std::vector<Piece>{
                           {PieceKind::TopLeft, QRect(0, 0, 200, 200), QPoint(0, 0)},
                           {PieceKind::TopRight, QRect(233, 0, 200, 200), QPoint(51, 0)},
                           {PieceKind::BottomLeft, QRect(0, 369, 200, 50), QPoint(0, 354)},
                           {PieceKind::BottomRight, QRect(383, 369, 50, 50), QPoint(201, 354)},
                       }));
    ASSERT_TRUE(plan.title.has_value());
    EXPECT_EQ(*plan.title, QPoint(30, 4));

    // The caption buttons of the picture land 103 pixels from the right edge.
    const auto atButtons = LastPieceAt(plan, QPoint(kDesign.width() - 103, 0));
    ASSERT_TRUE(atButtons.has_value());
    EXPECT_EQ(atButtons->source.x() + (kDesign.width() - 103 - atButtons->dest.x()), 330);
}

TEST(DrawModulePlan, EdgeCountsAtOddSizes) {
    struct Case {
        QSize window;
        std::vector<int> tops;
        int sides;  // left pieces, and as many right ones
        bool complete;
    };
    for (const Case& c : std::vector<Case>{
             {{90, 404}, {0}, 8, true},  // n = 40
             {{49, 404}, {}, 8, true},   // n < 0: no top or bottom pieces
             {{251, 30}, {0, 50, 100, 150, 200}, 0, true},
             {{20, 20}, {}, 0, true},
             {{500, 404}, {0, 50, 100, 150, 200, 250, 300, 350, 400, 450}, 8, true},
             {{40000, 404}, {}, 0, false},  // beyond the 16-bit count: nothing is painted
         }) {
        const SkinPlan plan = PlanSkin(c.window, kPicture);
        const std::string kinds = Kinds(plan);
        EXPECT_EQ(DestX(plan, PieceKind::Top), c.tops) << c.window.width();
        EXPECT_EQ(DestX(plan, PieceKind::Bottom), c.tops) << c.window.width();
        EXPECT_EQ(std::count(kinds.begin(), kinds.end(), 'L'), c.sides) << c.window.width();
        EXPECT_EQ(std::count(kinds.begin(), kinds.end(), 'R'), c.sides) << c.window.width();
        EXPECT_EQ(plan.title.has_value(), c.complete) << c.window.width();
        if (c.complete) {
            EXPECT_EQ(kinds.substr(kinds.size() - 4), "1234") << c.window.width();
        }
    }
}

TEST(DrawModulePlan, NarrowWindowTopRightCornerCoversTheTopBand) {
    const SkinPlan plan = PlanSkin({90, 404}, kPicture);
    EXPECT_EQ(DestX(plan, PieceKind::TopRight), std::vector<int>{-110});
    for (int x = 0; x < 90; x += 7) {
        for (int y = 0; y < 200; y += 13) {
            EXPECT_EQ(LastPieceAt(plan, {x, y})->kind, PieceKind::TopRight) << x << "," << y;
        }
    }
}

TEST(DrawModulePlan, WideWindowFillsTheBandBetweenTheTopCorners) {
    const SkinPlan plan = PlanSkin({500, 404}, kPicture);
    for (int y = 0; y < 200; y += 11) {
        EXPECT_EQ(LastPieceAt(plan, {199, y})->kind, PieceKind::TopLeft);
        EXPECT_EQ(LastPieceAt(plan, {300, y})->kind, PieceKind::TopRight);
        for (int x = 200; x < 300; x += 9) {
            const auto piece = LastPieceAt(plan, {x, y});
            EXPECT_EQ(piece->kind, PieceKind::Top) << x << "," << y;
            EXPECT_EQ(piece->source.x(), 200);
        }
    }
}

// At every ratio the frame has to close round the outline the mask leaves, pixel for pixel:
// picture pieces copied at 1.25 or 1.5 land between device pixels. The mask's five bands (two
// rounded rows, the body, two rounded rows) in device pixels are what the window system makes
// of them: each edge times the ratio, rounded to the nearest pixel.
TEST(DrawModuleSkin, OutlineIsClosedAndOutsideIsClearAtEveryRatio) {
    const QColor line(0x2f, 0x4a, 0x55);
    const QColor background(0xec, 0xf6, 0xf8);
    // The mask in device pixels at each ratio below, for 251 x 404 and then for 300 x 433.
    const std::vector<QRect> masks[] = {
        {{2, 0, 247, 1}, {1, 1, 249, 1}, {0, 2, 251, 400}, {1, 402, 249, 1}, {2, 403, 247, 1}},
        {{2, 0, 296, 1}, {1, 1, 298, 1}, {0, 2, 300, 429}, {1, 431, 298, 1}, {2, 432, 296, 1}},
        {{3, 0, 308, 1}, {1, 1, 312, 2}, {0, 3, 314, 500}, {1, 503, 312, 1}, {3, 504, 308, 1}},
        {{3, 0, 370, 1}, {1, 1, 373, 2}, {0, 3, 375, 536}, {1, 539, 373, 1}, {3, 540, 370, 1}},
        {{3, 0, 371, 2}, {2, 2, 373, 1}, {0, 3, 377, 600}, {2, 603, 373, 2}, {3, 605, 371, 1}},
        {{3, 0, 444, 2}, {2, 2, 447, 1}, {0, 3, 450, 644}, {2, 647, 447, 1}, {3, 648, 444, 2}},
        {{4, 0, 432, 2}, {2, 2, 436, 2}, {0, 4, 439, 700}, {2, 704, 436, 1}, {4, 705, 432, 2}},
        {{4, 0, 518, 2}, {2, 2, 521, 2}, {0, 4, 525, 750}, {2, 754, 521, 2}, {4, 756, 518, 2}},
        {{4, 0, 494, 2}, {2, 2, 498, 2}, {0, 4, 502, 800}, {2, 804, 498, 2}, {4, 806, 494, 2}},
        {{4, 0, 592, 2}, {2, 2, 596, 2}, {0, 4, 600, 858}, {2, 862, 596, 2}, {4, 864, 592, 2}},
    };
    const std::vector<QRect>* bands = masks;
    for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
        for (const QSize window : {kDesign, QSize(300, 433)}) {
            const QRegion shape =
                platform::RoundRectRegion(0, 0, window.width() + 1, window.height() + 1, 7, 7);
            QImage image(
                QSize(std::ceil(window.width() * ratio), std::ceil(window.height() * ratio)),
                QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(background);
            {
                QPainter p(&image);
                DrawModule::PaintSkin(p, window, shape, Pictures().ImgBack,
                                      {QStringLiteral("Quillet"), QFont(), Qt::black});
            }
            QRegion device;
            for (const QRect& band : *bands++) device += band;
            EXPECT_EQ(DrawModule::DeviceShape(shape, ratio), device)
                << "ratio " << ratio << " " << window.width() << "x" << window.height();
            int wrong = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb pixel = image.pixel(x, y);
                    bool edge = false;
                    for (const QPoint n :
                         {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)}) {
                        edge = edge || !device.contains(n);
                    }
                    const bool ok = !device.contains(QPoint(x, y)) ? qAlpha(pixel) == 0
                                    : edge                         ? QColor(pixel) == line
                                                                   : qAlpha(pixel) == 255;
                    if (!ok && wrong++ < 5) {
                        ADD_FAILURE() << "ratio " << ratio << " " << window.width() << "x"
                                      << window.height() << ": pixel " << x << "," << y;
                    }
                }
            }
            EXPECT_EQ(wrong, 0) << "ratio " << ratio;
            // The title is printed in the band at every ratio.
            EXPECT_EQ(image.pixelColor(QPointF(34, 12).toPoint() * ratio).alpha(), 255);
        }
    }
}

TEST(SkinPictures, GeometryTheFramePaintingRelyOn) {
    // Decoded on the worker thread, as at start-up (each test runs in a process of its own).
    StartLoadingPictures();
    const SkinPictures& pictures = Pictures();
    for (const int scale : {1, 2}) {
        const QImage back = pictures.ImgBack.ForRatio(scale);
        ASSERT_EQ(back.size(), kPicture * scale);
        for (const SkinPicture& strip : pictures.ImgBox) {
            ASSERT_EQ(strip.ForRatio(scale).size(), QSize(95, 18) * scale);
        }
        // The normal buttons drawn in the frame are the first strip, pixel for pixel.
        EXPECT_EQ(back.copy(QRect(QPoint(330, 0) * scale, QSize(95, 18) * scale))
                      .convertToFormat(QImage::Format_RGB32),
                  pictures.ImgBox[0].ForRatio(scale).convertToFormat(QImage::Format_RGB32));

        // Pieces are repeated side by side and one under the other: the top band's cut
        // (columns 200 to 249) must be the same in every column, the side edges' cut (rows
        // 100 to 149) the same in every row, or the frame shows seams.
        for (int y = 0; y < 200 * scale; ++y) {
            for (int x = 200 * scale; x < 250 * scale; ++x) {
                ASSERT_EQ(back.pixel(x, y), back.pixel(200 * scale, y)) << x << "," << y;
            }
        }
        for (const int x0 : {0, 383}) {
            for (int x = x0 * scale; x < (x0 + 50) * scale; ++x) {
                for (int y = 100 * scale; y < 150 * scale; ++y) {
                    ASSERT_EQ(back.pixel(x, y), back.pixel(x, 100 * scale)) << x << "," << y;
                }
            }
        }
    }
    EXPECT_FALSE(pictures.icon.pixmap(16, 16).isNull());
    EXPECT_FALSE(pictures.icon.pixmap(32, 32).isNull());
}

TEST(SkinPictures, PieceOnAHighDensityImageUsesTheDoubledPicture) {
    const SkinPicture& back = Pictures().ImgBack;
    QImage target(QSize(120, 80) * 2, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(2);
    target.fill(Qt::magenta);
    {
        QPainter p(&target);
        back.PaintPiece(p, QRect(383, 100, 50, 50), QPoint(10, 10));
    }
    const QImage& doubled = back.ForRatio(2);
    for (const QPoint at : {QPoint(0, 0), QPoint(99, 99), QPoint(57, 3), QPoint(98, 40)}) {
        EXPECT_EQ(target.pixel(QPoint(20, 20) + at), doubled.pixel(QPoint(766, 200) + at));
    }
    EXPECT_EQ(target.pixelColor(19, 19), QColor(Qt::magenta));
    EXPECT_EQ(target.pixelColor(120, 120), QColor(Qt::magenta));
}

TEST(SkinPictures, ButtonLookTallerThanTheStripLeavesTheRowsBelow) {
    const SkinPicture& over = Pictures().ImgBox[1];
    QImage target(60, 30, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::magenta);
    {
        QPainter p(&target);
        over.PaintPiece(p, QRect(27, 0, 25, 20), QPoint(5, 2));
    }
    const QImage& strip = over.ForRatio(1);
    EXPECT_EQ(target.pixel(5, 2), strip.pixel(27, 0));
    EXPECT_EQ(target.pixel(29, 19), strip.pixel(51, 17));
    EXPECT_EQ(target.pixelColor(5, 20), QColor(Qt::magenta));
    EXPECT_EQ(target.pixelColor(29, 21), QColor(Qt::magenta));
}

}  // namespace
}  // namespace quillet::app
