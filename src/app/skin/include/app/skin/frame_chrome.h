#pragma once

#include <QFont>
#include <QObject>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>

#include "app/skin/retained_surface.h"

class QLabel;
class QMouseEvent;
class QWidget;

namespace quillet::platform {
class WindowSystem;
}

namespace quillet::app {

class SkinPicture;

// The parts of the window surface a left press or the pointer can be over. The resize bands
// are deeper for a press than for the pointer shape, so a press just inside the pointer's
// arrow still resizes.
enum class Zone { Corner, BottomBand, RightBand, Rest };

[[nodiscard]] Zone PressZone(QPointF pos, QSize window);
[[nodiscard]] Zone PointerZone(QPointF pos, QSize window);
[[nodiscard]] Qt::Edges ResizeEdges(Zone zone);  // none for Rest, which moves the window
[[nodiscard]] Qt::CursorShape PointerShape(Zone zone);

// Caption buttons, by index (minimise, about, close): how far each one's left edge stands from
// the window's right edge, and where its looks start in the strip pictures.
inline constexpr std::array<int, 3> kControlBoxFromRight{103, 76, 51};
inline constexpr std::array<int, 3> kControlBoxStripLeft{0, 27, 52};
// The window is never smaller than its design size: the controls stay where they are, and a
// smaller window would cut them off.
inline constexpr QSize kMinimumWindowSize{251, 404};

// Where a window of `size` goes to be centred in `area`. One that does not fit keeps its
// top-left corner inside the area, so its title and caption buttons stay reachable.
[[nodiscard]] QPoint CentredTopLeft(const QRect& area, QSize size);

// A button's pointer-over and pressed looks are painted this high; the strips are 18 rows, and
// the two rows below them are left to the frame underneath.
inline constexpr int kControlBoxLookHeight = 20;

// Everything a frameless window does on its own surface: it keeps the frame painted and the
// window shaped at every size, moves and resizes the window from a press on the bare surface,
// and runs the three caption buttons. It watches the window's and the buttons' events itself.
class FrameChrome final : public QObject {
    Q_OBJECT

public:
    struct Actions {
        std::function<void()> showAbout;     // opens the about box modal; returns when it closes
        std::function<void()> closeProgram;  // default: close the window and leave the event loop
    };

    FrameChrome(QWidget& window, const std::array<QLabel*, 3>& controlBox,
                platform::WindowSystem& windows, Actions actions, QObject* parent = nullptr);
    ~FrameChrome() override;

    // Moves the caption buttons to their places along the right edge.
    void SetControlBox();

    // Centres the window in `area`, where the window system lets programs place windows.
    void PlaceCentred(const QRect& area);

    [[nodiscard]] bool RetainedDrawing() const { return surface_.RetainedDrawing(); }
    const RetainedSurface& Surface() const { return surface_; }
    [[nodiscard]] bool Dragging() const { return drag_.has_value(); }

    // The font the title is printed in (the window's own font serves the controls).
    [[nodiscard]] static QFont DefaultTitleFont();

    // Ticks once after start-up and after each change of the window's state; see OnTimer1.
    QTimer Timer1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Drag {
        Zone zone;
        QPointF pressedAt;  // global
        QRect startGeometry;
    };

    void OnResize();
    void OnWindowPress(const QMouseEvent& event);
    void OnWindowMove(const QMouseEvent& event);
    void FollowDrag(QPointF globalPos);
    [[nodiscard]] bool OnBoxEvent(int index, QEvent* event);
    void OnBoxRelease(int index, const QMouseEvent& event);
    void OnTimer1();
    void PaintNormalBoxes();
    void PaintBoxLook(int index, const SkinPicture& strip);

    QWidget& window_;
    std::array<QLabel*, 3> controlBox_;  // the window's LabControlBox
    platform::WindowSystem& windows_;
    Actions actions_;
    RetainedSurface surface_;
    QFont titleFont_;
    std::optional<Drag> drag_;  // the window system refused to drag: we do it ourselves
};

}  // namespace quillet::app
