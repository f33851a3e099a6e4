#include "platform/window_system.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace quillet::platform {

QPoint CentredIn(const QRect& area, QSize size) {
    return QPoint(area.left() + (area.width() - size.width()) / 2,
                  area.top() + (area.height() - size.height()) / 2);
}

namespace {

// How far row `row` (counted from the nearer horizontal edge) is cut in from the side by a
// corner ellipse with semi-axes a and b. Rows are sampled at their centres.
[[nodiscard]] int CornerInset(int row, double a, double b) {
    const double dy = b - (row + 0.5);
    if (dy <= 0.0) {
        return 0;
    }
    const double dx = a * std::sqrt(std::max(0.0, 1.0 - (dy / b) * (dy / b)));
    return static_cast<int>(std::lround(a - dx));
}

}  // namespace

QRegion RoundRectRegion(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight) {
    const int width = right - 1 - left;
    const int height = bottom - 1 - top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    const int ew = std::clamp(ellipseWidth, 0, width);
    const int eh = std::clamp(ellipseHeight, 0, height);
    if (ew < 2 || eh < 2) {
        return QRegion(left, top, width, height);
    }

    // One rectangle per run of rows with the same inset: the rounded rows at the top and the
    // bottom, and one band for everything in between.
    const double a = ew / 2.0;
    const double b = eh / 2.0;
    QRegion shape;
    int row = 0;
    while (row < height) {
        const int fromEdge = std::min(row, height - 1 - row);
        const int inset = CornerInset(fromEdge, a, b);
        int end = row + 1;
        while (end < height && CornerInset(std::min(end, height - 1 - end), a, b) == inset) {
            ++end;
        }
        if (width > 2 * inset) {
            shape += QRect(left + inset, top + row, width - 2 * inset, end - row);
        }
        row = end;
    }
    return shape;
}

void QtWindowSystem::SetShape(QWidget& window, const QRegion& shape) {
    window.setMask(shape);
}

namespace {

[[nodiscard]] bool OnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

bool QtWindowSystem::MaskLimitsInputOnly() const {
    return OnWayland();
}

bool QtWindowSystem::PlacesWindowsItself() const {
    return OnWayland();
}

QMargins QtWindowSystem::FrameMargins(const QWidget& window) const {
    // On X11 Qt reads them from _NET_FRAME_EXTENTS once the window manager has framed the window.
    const QWindow* handle = window.windowHandle();
    return handle != nullptr ? handle->frameMargins() : QMargins();
}

bool QtWindowSystem::StartSystemMove(QWidget& window) {
    QWindow* handle = window.windowHandle();
    return handle != nullptr && handle->startSystemMove();
}

bool QtWindowSystem::StartSystemResize(QWidget& window, Qt::Edges edges) {
    QWindow* handle = window.windowHandle();
    return handle != nullptr && handle->startSystemResize(edges);
}

}  // namespace quillet::platform
