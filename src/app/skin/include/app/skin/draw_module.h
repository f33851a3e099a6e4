#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QPainter;
class QWidget;

namespace quillet::platform {
class WindowSystem;
}

namespace quillet::app {
class RetainedSurface;
class SkinPicture;
}  // namespace quillet::app

// Shapes a frameless window and paints its frame from one picture, at any window size.
namespace quillet::app::DrawModule {

// The shape last built by GetSkinRgn; the window holds it once DrawSkin has set it.
extern QRegion hSkinRgn;

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
[[nodiscard]] double Rnd(double value);

// Twips (1/1440 inch) per pixel at this many dots per inch, as a whole number, at least 1.
[[nodiscard]] int TwipsPerPixel(double dotsPerInch);

// The rounded rectangle's arguments; its left and top are always 0.
struct RoundRectArgs {
    int right = 0;
    int bottom = 0;
    int ellipseWidth = 0;
    int ellipseHeight = 0;
    bool operator==(const RoundRectArgs&) const = default;
};

// The corner ellipse is cornerWidth x cornerHeight in units of 100 twips; the extras are added
// to the window's size.
[[nodiscard]] RoundRectArgs SkinRgnArgs(double cornerWidth, double cornerHeight,
                                        std::int16_t extraWidth, std::int16_t extraHeight,
                                        QSize window, int twipsX, int twipsY);

// Builds the window's shape from the screen's logical resolution and stores it in hSkinRgn.
[[nodiscard]] QRegion GetSkinRgn(double cornerWidth, double cornerHeight, std::int16_t extraWidth,
                                 std::int16_t extraHeight, const QWidget& window);

enum class PieceKind { Top, Bottom, Left, Right, TopLeft, TopRight, BottomLeft, BottomRight };

// A rectangle of the frame picture copied at the same size to `dest` on the window.
struct Piece {
    PieceKind kind;
    QRect source;
    QPoint dest;
    bool operator==(const Piece&) const = default;
};

// What DrawSkin paints, in painting order; later pieces cover earlier ones. The title is
// printed last, with its top-left corner at `title`. A window too large for the 16-bit edge
// counts gets only the pieces before the overflow and no title.
struct SkinPlan {
    std::vector<Piece> pieces;
    std::optional<QPoint> title;
};

[[nodiscard]] SkinPlan PlanSkin(QSize window, QSize picture);

// `shape` in device pixels at this pixel ratio, scaled rectangle by rectangle as the window
// system scales a window's mask, so that what is painted meets the mask pixel for pixel.
[[nodiscard]] QRegion DeviceShape(const QRegion& shape, qreal ratio);

// The device pixels of `deviceShape` with a side neighbour outside it: its outer line.
[[nodiscard]] QRegion OutlineOf(const QRegion& deviceShape);

// How the title is printed.
struct SkinTitle {
    QString text;
    QFont font;
    QColor colour;
};

// Paints the frame from `back` and the title for a window of `window`'s size onto `p`, at the
// pixel ratio of p's device. Then it seals the outline: the device pixels along the edge of
// `shape` get the frame's outer line colour, wherever rounding the pieces at a fractional ratio
// left them showing something else, and every pixel outside `shape` becomes transparent.
void PaintSkin(QPainter& p, QSize window, const QRegion& shape, const SkinPicture& back,
               const SkinTitle& title);

// The window DrawSkin shapes and paints, with what it needs of it.
struct SkinWindow {
    QWidget& window;  // size, resolution, title, background colour
    platform::WindowSystem& windows;
    RetainedSurface& surface;
    QFont titleFont;
    QColor titleColour;
};

// Shapes the window, clears it and paints the frame from `back`, then the title.
void DrawSkin(const SkinWindow& window, const SkinPicture& back);

}  // namespace quillet::app::DrawModule
