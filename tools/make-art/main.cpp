// Draws the frame picture, the three caption-button strips and the icon, each at 1x and @2x.
// Everything is drawn in logical pixels through a scaled painter, so the @2x pictures keep the
// 1x geometry exactly: the program cuts the frame picture at fixed places and the caption
// buttons at fixed columns.
//
// Usage: make-art OUTPUT_DIR
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <array>
#include <cstdio>
#include <functional>

namespace {

constexpr QSize kFrameSize{433, 419};
constexpr QSize kStripSize{95, 18};
constexpr int kStripColumn = 330;  // where the normal strip sits in the frame picture
constexpr QPoint kGlyphAt{9, 3};   // the application glyph, left of the title at (30, 4)

const QColor kOutline{0x2f, 0x4a, 0x55};
const QColor kBandTop{0xa9, 0xdb, 0xe7};
const QColor kNearWhite{0xec, 0xf6, 0xf8};  // also the window's background colour

enum class Look { Normal, Over, Pressed };

struct Button {
    int left;
    int width;
    bool warm;  // the close button turns red rather than blue
};
constexpr std::array<Button, 3> kButtons{{{0, 27, false}, {27, 25, false}, {52, 43, true}}};

struct FaceColours {
    QColor top;
    QColor bottom;
    QColor glyph;
};

FaceColours ColoursOf(Look look, bool warm) {
    switch (look) {
        case Look::Normal:
            return {QColor(0xf2, 0xf4, 0xf5), QColor(0xc6, 0xcd, 0xd1), QColor(0x4a, 0x50, 0x55)};
        case Look::Over:
            return warm
                       ? FaceColours{QColor(0xf2, 0x83, 0x7b), QColor(0xc8, 0x33, 0x2b), Qt::white}
                       : FaceColours{QColor(0x78, 0xb9, 0xee), QColor(0x2f, 0x7f, 0xcb), Qt::white};
        case Look::Pressed:
            return warm ? FaceColours{QColor(0xa8, 0x29, 0x20), QColor(0x78, 0x18, 0x12),
                                      QColor(0xf0, 0xe0, 0xe0)}
                        : FaceColours{QColor(0x2b, 0x6c, 0xad), QColor(0x1a, 0x4c, 0x80),
                                      QColor(0xe0, 0xe8, 0xf0)};
    }
    return {};
}

// A 95 x 18 strip: a dark border all round and between the buttons (its top row continues the
// frame's outline), a shaded face, and the glyph: a bar, a small square, a cross.
void PaintStrip(QPainter& p, Look look) {
    p.fillRect(QRect(QPoint(0, 0), kStripSize), kOutline);
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const Button& b = kButtons[i];
        const FaceColours c = ColoursOf(look, b.warm);
        const int faceRight = i + 1 < kButtons.size() ? b.left + b.width - 1 : b.left + b.width - 2;
        const QRect face(QPoint(b.left + 1, 1), QPoint(faceRight, 16));
        QLinearGradient shade(0, 1, 0, 17);
        shade.setColorAt(0, c.top);
        shade.setColorAt(1, c.bottom);
        p.fillRect(face, shade);
        p.fillRect(QRect(face.left(), 1, face.width(), 1), c.top.lighter(108));

        const int cx = b.left + b.width / 2;
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        switch (i) {
            case 0:
                p.fillRect(QRect(cx - 4, 10, 9, 2), c.glyph);
                break;
            case 1:
                p.fillRect(QRect(cx - 4, 4, 9, 2), c.glyph);
                p.setPen(QPen(c.glyph, 1));
                p.drawRect(QRectF(cx - 3.5, 4.5, 8, 8));
                break;
            default: {
                p.setPen(QPen(c.glyph, 1.8, Qt::SolidLine, Qt::FlatCap));
                const double x0 = cx - 3.5, x1 = cx + 4.5, y0 = 4.5, y1 = 12.5;
                p.drawLine(QPointF(x0, y0), QPointF(x1, y1));
                p.drawLine(QPointF(x1, y0), QPointF(x0, y1));
                break;
            }
        }
        p.restore();
    }
}

// A magnifying glass over a teal tile, in a 16 x 16 box.
void PaintGlyph(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient tile(0, 1, 0, 15);
    tile.setColorAt(0, QColor(0x45, 0xb2, 0xcc));
    tile.setColorAt(1, QColor(0x1c, 0x74, 0x8c));
    p.setPen(QPen(QColor(0x15, 0x52, 0x64), 1));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1.6));
    p.drawEllipse(QPointF(6.8, 6.8), 3.4, 3.4);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.6, 9.6), QPointF(12.6, 12.6));
    p.restore();
}

// The whole frame at the picture's own size: outline, a light cyan band fading to near-white
// by row 100 (so rows 100 to 149, which the program repeats down the sides, are plain), a faint
// rule under the title, the glyph, and the caption buttons in their normal look.
void PaintFrame(QPainter& p) {
    const QRectF all(QPointF(0, 0), kFrameSize);
    p.fillRect(all, kOutline);  // what the window's rounded shape cuts off stays dark

    QPainterPath inside;
    inside.addRoundedRect(all.adjusted(1, 1, -1, -1), 2.5, 2.5);
    p.save();
    p.setClipPath(inside);
    p.fillRect(all, kNearWhite);
    QLinearGradient band(0, 0, 0, 100);
    band.setColorAt(0, kBandTop);
    band.setColorAt(1, kNearWhite);
    p.fillRect(QRectF(0, 0, kFrameSize.width(), 100), band);
    p.fillRect(QRectF(1, 24, kFrameSize.width() - 2, 1), QColor(0xc4, 0xe2, 0xea));
    p.fillRect(QRectF(1, 25, kFrameSize.width() - 2, 1), QColor(0xfa, 0xfd, 0xfe));
    p.restore();

    p.save();
    p.translate(kGlyphAt);
    PaintGlyph(p);
    p.restore();

    p.save();
    p.translate(kStripColumn, 0);
    PaintStrip(p, Look::Normal);
    p.restore();
}

bool Write(const QString& dir, const QString& name, QSize logical, bool transparent,
           const std::function<void(QPainter&)>& paint) {
    for (const int scale : {1, 2}) {
        QImage image(logical * scale,
                     transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.scale(scale, scale);
            paint(p);
        }
        const QString file = scale == 1 ? name + ".png" : name + "@2x.png";
        if (!image.save(QDir(dir).filePath(file), "PNG")) {
            std::fprintf(stderr, "make-art: cannot write %s\n", qPrintable(file));
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-art OUTPUT_DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    bool ok = Write(dir, "back", kFrameSize, false, PaintFrame);
    const std::array<Look, 3> looks{Look::Normal, Look::Over, Look::Pressed};
    for (std::size_t i = 0; i < looks.size(); ++i) {
        ok = Write(dir, QString("box%1").arg(i), kStripSize, false,
                   [&](QPainter& p) { PaintStrip(p, looks[i]); }) &&
             ok;
    }
    // 16 and 32 go into the program; 48 and 256 are for the desktop's icon theme.
    for (const int size : {16, 32, 48, 256}) {
        ok = Write(dir, QString("icon%1").arg(size), QSize(size, size), true,
                   [size](QPainter& p) {
                       p.scale(size / 16.0, size / 16.0);
                       PaintGlyph(p);
                   }) &&
             ok;
    }
    return ok ? 0 : 1;
}
