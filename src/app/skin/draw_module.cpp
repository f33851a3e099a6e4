#include "app/skin/draw_module.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <limits>

#include "app/skin/retained_surface.h"
#include "app/skin/skin_pictures.h"
#include "platform/window_system.h"

namespace quillet::app::DrawModule {

QRegion hSkinRgn;

namespace {

// The edge counts are 16-bit; a size beyond that stops the painting where it overflows.
[[nodiscard]] std::optional<std::int16_t> ToInt16(double value) {
    if (!(value >= std::numeric_limits<std::int16_t>::min() &&
          value <= std::numeric_limits<std::int16_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

constexpr int kEdge = 50;      // edge pieces, and the depth of the bottom band and side edges
constexpr int kCorner = 200;   // the top corners are kCorner x kCorner
constexpr int kSideRow = 100;  // the rows the side edges are cut from

}  // namespace

double Rnd(double value) {
    return std::nearbyint(value);
}

int TwipsPerPixel(double dotsPerInch) {
    if (!(dotsPerInch > 0)) {
        return 15;
    }
    return std::max(1, static_cast<int>(Rnd(1440.0 / dotsPerInch)));
}

RoundRectArgs SkinRgnArgs(double cornerWidth, double cornerHeight, std::int16_t extraWidth,
                          std::int16_t extraHeight, QSize window, int twipsX, int twipsY) {
    RoundRectArgs args;
    args.ellipseHeight = static_cast<int>(Rnd(cornerHeight * 10 * 10 / twipsY));
    args.ellipseWidth = static_cast<int>(Rnd(cornerWidth * 10 * 10 / twipsX));
    args.bottom = static_cast<int>(Rnd(extraHeight + static_cast<double>(window.height())));
    args.right = static_cast<int>(Rnd(extraWidth + static_cast<double>(window.width())));
    return args;
}

QRegion GetSkinRgn(double cornerWidth, double cornerHeight, std::int16_t extraWidth,
                   std::int16_t extraHeight, const QWidget& window) {
    const RoundRectArgs args =
        SkinRgnArgs(cornerWidth, cornerHeight, extraWidth, extraHeight, window.size(),
                    TwipsPerPixel(window.logicalDpiX()), TwipsPerPixel(window.logicalDpiY()));
    hSkinRgn = platform::RoundRectRegion(0, 0, args.right, args.bottom, args.ellipseWidth,
                                         args.ellipseHeight);
    return hSkinRgn;
}

SkinPlan PlanSkin(QSize window, QSize picture) {
    const int w = window.width();
    const int h = window.height();
    const int pw = picture.width();
    const int ph = picture.height();
    SkinPlan plan;
    auto add = [&plan](PieceKind kind, int sx, int sy, int sw, int sh, int dx, int dy) {
        plan.pieces.push_back({kind, QRect(sx, sy, sw, sh), QPoint(dx, dy)});
    };

    const std::optional<std::int16_t> n = ToInt16(Rnd(w - 50.0));
    if (!n) {
        return plan;
    }
    for (int x = 0; x <= *n; x += kEdge) {
        add(PieceKind::Top, kCorner, 0, kEdge, kCorner, x, 0);
        add(PieceKind::Bottom, kCorner, ph - kEdge, kEdge, kEdge, x, h - kEdge);
    }

    const std::optional<std::int16_t> m = ToInt16(Rnd(h - 50.0));
    if (!m) {
        return plan;
    }
    for (int y = 0; y <= *m; y += kEdge) {
        add(PieceKind::Left, 0, kSideRow, kEdge, kEdge, 0, y);
        add(PieceKind::Right, pw - kEdge, kSideRow, kEdge, kEdge, w - kEdge, y);
    }

    add(PieceKind::TopLeft, 0, 0, kCorner, kCorner, 0, 0);
    add(PieceKind::TopRight, pw - kCorner, 0, kCorner, kCorner, w - kCorner, 0);
    add(PieceKind::BottomLeft, 0, ph - kEdge, kCorner, kEdge, 0, h - kEdge);
    add(PieceKind::BottomRight, pw - kEdge, ph - kEdge, kEdge, kEdge, w - kEdge, h - kEdge);
    plan.title = QPoint(30, 4);
    return plan;
}

QRegion DeviceShape(const QRegion& shape, qreal ratio) {
    return QTransform::fromScale(ratio, ratio).map(shape);
}

QRegion OutlineOf(const QRegion& deviceShape) {
    const QRegion inner = deviceShape & deviceShape.translated(1, 0) &
                          deviceShape.translated(-1, 0) & deviceShape.translated(0, 1) &
                          deviceShape.translated(0, -1);
    return deviceShape - inner;
}

void PaintSkin(QPainter& p, QSize window, const QRegion& shape, const SkinPicture& back,
               const SkinTitle& title) {
    const SkinPlan plan = PlanSkin(window, back.Size());
    for (const Piece& piece : plan.pieces) {
        back.PaintPiece(p, piece.source, piece.dest);
    }
    if (plan.title) {
        // Only the glyphs: the text cell's top-left corner is the title position.
        p.save();
        p.setFont(title.font);
        p.setPen(title.colour);
        p.setBackgroundMode(Qt::TransparentMode);
        const QFontMetricsF metrics(title.font, p.device());
        p.drawText(QPointF(*plan.title) + QPointF(0, metrics.ascent()), title.text);
        p.restore();
    }

    // In device pixels from here on. The picture's outer line is one pixel wide (two at 2x);
    // copied at 1.25 or 1.5 it can miss the pixel where the mask's staircase turns, and the
    // last column or row of a piece that ends between two device pixels is not painted at all.
    const qreal ratio = p.device() != nullptr ? p.device()->devicePixelRatioF() : 1.0;
    const QRegion device = DeviceShape(shape, ratio);
    const QColor line = back.ForRatio(1.0).pixelColor(0, 0);
    const QRect all(QPoint(0, 0), QSize(static_cast<int>(std::ceil(window.width() * ratio)),
                                        static_cast<int>(std::ceil(window.height() * ratio))));
    p.save();
    p.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio));
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& r : OutlineOf(device)) {
        p.fillRect(r, line);
    }
    for (const QRect& r : QRegion(all) - device) {
        p.fillRect(r, Qt::transparent);
    }
    p.restore();
}

void DrawSkin(const SkinWindow& window, const SkinPicture& back) {
    const QRegion shape = GetSkinRgn(1.0, 1.0, 1, 1, window.window);
    window.windows.SetShape(window.window, shape);
    window.surface.Clear();
    window.surface.Draw(window.window.rect(), [&](QPainter& p) {
        PaintSkin(p, window.window.size(), shape, back,
                  {window.window.windowTitle(), window.titleFont, window.titleColour});
    });
}

}  // namespace quillet::app::DrawModule
