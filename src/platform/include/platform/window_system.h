#pragma once

#include <QMargins>
#include <QRect>
#include <QRegion>
#include <Qt>

class QWidget;

namespace quillet::platform {

// The top-left corner that centres `size` in `area`: half the room left over, rounded down.
// (QRect::center() rounds the area's middle down first and lands a pixel high on an even
// area.) One rule for every window the program places.
[[nodiscard]] QPoint CentredIn(const QRect& area, QSize size);

// The shape a rounded-rectangle region gets from the window system of old: right and bottom
// are one past the last column and row, and the figure is drawn one pixel in from them, so
// (0, 0, W + 1, H + 1) covers exactly a W x H window. The corners are cut by an ellipse of
// the given size (clamped to the rectangle); below 2 pixels it cuts nothing.
[[nodiscard]] QRegion RoundRectRegion(int left, int top, int right, int bottom, int ellipseWidth,
                                      int ellipseHeight);

// What the window system does to a frameless window on the program's behalf.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // From now on the window takes mouse input only inside `shape`, and shows only inside it
    // where the mask alone does that (see MaskLimitsInputOnly).
    virtual void SetShape(QWidget& window, const QRegion& shape) = 0;

    // True where a mask only limits input and the window is still drawn as a full rectangle
    // (Wayland): the outline then has to come from a translucent window that leaves every
    // pixel outside it transparent.
    [[nodiscard]] virtual bool MaskLimitsInputOnly() const = 0;

    // True where the compositor places top-level windows itself and ignores a program's own
    // placement (Wayland): centring and dragging by hand would only fight it.
    [[nodiscard]] virtual bool PlacesWindowsItself() const = 0;

    // The frame the window manager has put around `window`, as it announces it; none until it
    // has (a window not yet on screen, or no window manager).
    [[nodiscard]] virtual QMargins FrameMargins(const QWidget& window) const = 0;

    // Hands the pointer to the window system's own move or resize loop, from the pointer's
    // current position. False when the window system refuses (no window manager, some
    // XWayland setups): the caller then has to move or resize the window itself.
    [[nodiscard]] virtual bool StartSystemMove(QWidget& window) = 0;
    [[nodiscard]] virtual bool StartSystemResize(QWidget& window, Qt::Edges edges) = 0;
};

class QtWindowSystem final : public WindowSystem {
public:
    void SetShape(QWidget& window, const QRegion& shape) override;
    [[nodiscard]] bool MaskLimitsInputOnly() const override;
    [[nodiscard]] bool PlacesWindowsItself() const override;
    [[nodiscard]] QMargins FrameMargins(const QWidget& window) const override;
    [[nodiscard]] bool StartSystemMove(QWidget& window) override;
    [[nodiscard]] bool StartSystemResize(QWidget& window, Qt::Edges edges) override;
};

}  // namespace quillet::platform
