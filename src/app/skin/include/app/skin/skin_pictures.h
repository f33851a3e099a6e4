#pragma once

#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>

class QPainter;

namespace quillet::app {

// One of the window's pictures at its own size and at twice that size. Geometry is always in
// the 1x picture's pixels; the @2x copy only sharpens what lands on a high-density screen.
class SkinPicture {
public:
    SkinPicture() = default;
    // `doubledPath` is decoded only when a high-density screen first asks for it: most
    // screens never do, and decoding it would cost start-up time for nothing.
    SkinPicture(QImage normal, QString doubledPath);

    [[nodiscard]] QSize Size() const { return normal_.size(); }

    // The copy that suits a device of this pixel ratio, with its ratio set accordingly.
    [[nodiscard]] const QImage& ForRatio(qreal devicePixelRatio) const;

    // Copies the piece `source` (picture pixels) at the same size with its top-left corner at
    // `dest`, opaquely. What lies outside the picture is not painted: a piece that reaches
    // below the picture leaves those rows of the destination as they were.
    void PaintPiece(QPainter& painter, const QRect& source, const QPoint& dest) const;

private:
    QImage normal_;
    QString doubledPath_;
    mutable QImage doubled_;
    mutable bool doubledLoaded_ = false;
};

struct SkinPictures {
    SkinPicture ImgBack;                // the frame, 433 x 419
    std::array<SkinPicture, 3> ImgBox;  // caption buttons: normal, pointer-over, pressed
    QIcon icon;                         // 16 x 16 and 32 x 32
};

// Starts decoding the pictures on a worker thread, so that they are ready by the time the
// window first needs them instead of holding up its start. Call it on the GUI thread, once
// the application object exists. Optional: without it, Pictures() decodes them itself.
void StartLoadingPictures();

// The pictures built into the program, loaded on first use. GUI thread only.
[[nodiscard]] const SkinPictures& Pictures();

}  // namespace quillet::app
