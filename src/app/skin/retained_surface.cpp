#include "app/skin/retained_surface.h"

#include <QPainter>
#include <QPalette>
#include <QWidget>
#include <cmath>

namespace quillet::app {

RetainedSurface::RetainedSurface(QWidget& window) : window_(window) {
    Resize();
}

QImage RetainedSurface::NewImage(const QColor& fill) const {
    const qreal ratio = window_.devicePixelRatioF();
    QImage image(PixelSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    return image;
}

QSize RetainedSurface::PixelSize() const {
    const qreal ratio = window_.devicePixelRatioF();
    return QSize(static_cast<int>(std::ceil(window_.width() * ratio)),
                 static_cast<int>(std::ceil(window_.height() * ratio)))
        .expandedTo(QSize(1, 1));
}

void RetainedSurface::Resize() {
    if (!retained_.isNull() && retained_.size() == PixelSize() &&
        retained_.devicePixelRatio() == window_.devicePixelRatioF()) {
        return;
    }
    QImage retained = NewImage(window_.palette().color(window_.backgroundRole()));
    if (!retained_.isNull()) {
        QPainter p(&retained);
        p.drawImage(QPoint(0, 0), retained_);
    }
    retained_ = std::move(retained);
    direct_ = QImage();  // made on the first direct drawing; most windows never need one
    directArea_ = QRegion();
    unshown_ = QRegion();
}

void RetainedSurface::Clear() {
    if (retainedDrawing_) {
        retained_.fill(window_.palette().color(window_.backgroundRole()));
    }
    direct_ = QImage();
    directArea_ = QRegion();
    unshown_ = QRegion();
    window_.update();
}

void RetainedSurface::Draw(const QRect& area, const std::function<void(QPainter&)>& draw) {
    if (!retainedDrawing_ && direct_.isNull()) {
        direct_ = NewImage(Qt::transparent);
    }
    {
        QPainter p(retainedDrawing_ ? &retained_ : &direct_);
        draw(p);
    }
    if (retainedDrawing_) {
        unshown_ -= area;  // the repaint below shows the retained image over it
    } else {
        directArea_ += area;
        unshown_ += area;
    }
    window_.update(area);
}

void RetainedSurface::Paint(QPainter& painter, const QRegion& exposed) {
    painter.drawImage(QPoint(0, 0), retained_);
    if (directArea_.isEmpty()) {
        return;
    }
    // A repaint of an area whose direct drawing is already on screen is the window system
    // redrawing it, and that only knows the retained image.
    const QRegion stale = (exposed & directArea_) - unshown_;
    if (!stale.isEmpty()) {
        QPainter wipe(&direct_);
        wipe.setCompositionMode(QPainter::CompositionMode_Clear);
        for (const QRect& r : stale) {
            wipe.fillRect(r, Qt::transparent);
        }
        directArea_ -= stale;
    }
    painter.drawImage(QPoint(0, 0), direct_);
    unshown_ -= exposed;
}

}  // namespace quillet::app
