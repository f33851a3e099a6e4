#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <functional>

class QPainter;
class QWidget;

namespace quillet::app {

// Where the window's own drawing goes. With RetainedDrawing on, it lands in a retained
// background image that every repaint shows again. With it off, it lands in a layer of direct
// drawing: shown by the repaint it asks for, and discarded by any later repaint of that area,
// which then shows the retained image again, as drawing straight onto the screen would be.
class RetainedSurface {
public:
    explicit RetainedSurface(QWidget& window);

    bool RetainedDrawing() const { return retainedDrawing_; }
    void SetRetainedDrawing(bool on) { retainedDrawing_ = on; }

    // Follows the window's size and pixel ratio. The retained image keeps what it holds (new
    // parts get the background colour); direct drawing does not survive a resize.
    void Resize();

    // Retained on: fills the retained image with the window's background colour. Either way
    // direct drawing goes and the window repaints from the retained image.
    void Clear();

    // Runs `draw` on the current target in window coordinates and asks for a repaint of
    // `area`, which must hold everything drawn.
    void Draw(const QRect& area, const std::function<void(QPainter&)>& draw);

    // From the window's paint event: the retained image, then whatever direct drawing has not
    // been shown yet or is still on screen outside `exposed`.
    void Paint(QPainter& painter, const QRegion& exposed);

    const QImage& Retained() const { return retained_; }

private:
    [[nodiscard]] QImage NewImage(const QColor& fill) const;
    [[nodiscard]] QSize PixelSize() const;

    QWidget& window_;
    bool retainedDrawing_ = true;
    QImage retained_;
    QImage direct_;
    QRegion directArea_;  // where the direct layer holds anything
    QRegion unshown_;     // direct drawing not yet painted onto the window
};

}  // namespace quillet::app
