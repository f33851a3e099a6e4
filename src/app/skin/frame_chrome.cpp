#include "app/skin/frame_chrome.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "app/skin/draw_module.h"
#include "app/skin/skin_pictures.h"
#include "platform/modality.h"
#include "platform/window_system.h"

namespace quillet::app {

namespace {

const QColor kTitleColour(64, 64, 64);

// The corner is 20 pixels either way; the bands along the bottom and right edges are `band`
// deep. All comparisons are strict, and the first zone that holds wins.
[[nodiscard]] Zone ZoneAt(QPointF pos, QSize window, int band) {
    const double w = window.width();
    const double h = window.height();
    if (pos.x() > w - 20 && pos.y() > h - 20) {
        return Zone::Corner;
    }
    if (pos.y() > h - band) {
        return Zone::BottomBand;
    }
    if (pos.x() > w - band) {
        return Zone::RightBand;
    }
    return Zone::Rest;
}

}  // namespace

Zone PressZone(QPointF pos, QSize window) {
    return ZoneAt(pos, window, 10);
}

Zone PointerZone(QPointF pos, QSize window) {
    return ZoneAt(pos, window, 6);
}

Qt::Edges ResizeEdges(Zone zone) {
    switch (zone) {
        case Zone::Corner:
            return Qt::RightEdge | Qt::BottomEdge;
        case Zone::BottomBand:
            return Qt::BottomEdge;
        case Zone::RightBand:
            return Qt::RightEdge;
        case Zone::Rest:
            break;
    }
    return {};
}

Qt::CursorShape PointerShape(Zone zone) {
    switch (zone) {
        case Zone::Corner:
            return Qt::SizeFDiagCursor;
        case Zone::BottomBand:
            return Qt::SizeVerCursor;
        case Zone::RightBand:
            return Qt::SizeHorCursor;
        case Zone::Rest:
            break;
    }
    return Qt::ArrowCursor;
}

QPoint CentredTopLeft(const QRect& area, QSize size) {
    const QPoint centred = platform::CentredIn(area, size);
    return QPoint(std::max(centred.x(), area.left()), std::max(centred.y(), area.top()));
}

FrameChrome::FrameChrome(QWidget& window, const std::array<QLabel*, 3>& controlBox,
                         platform::WindowSystem& windows, Actions actions, QObject* parent)
    : QObject(parent),
      window_(window),
      controlBox_(controlBox),
      windows_(windows),
      actions_(std::move(actions)),
      surface_(window),
      titleFont_(DefaultTitleFont()) {
    if (!actions_.closeProgram) {
        actions_.closeProgram = [this] {
            window_.close();
            QCoreApplication::exit(0);
        };
    }
    if (!window_.windowFlags().testFlag(Qt::FramelessWindowHint)) {
        window_.setWindowFlag(Qt::FramelessWindowHint);
    }
    if (windows_.MaskLimitsInputOnly() && !window_.testAttribute(Qt::WA_TranslucentBackground)) {
        // Has to be set before the window is created; the outline comes from transparent
        // pixels then, and a filled background would paint the corners over.
        window_.setAttribute(Qt::WA_TranslucentBackground);
        window_.setAutoFillBackground(false);
    }
    // Also reaches the window system as a size hint, which bounds its own resize loop.
    window_.setMinimumSize(kMinimumWindowSize);
    window_.setMouseTracking(true);
    window_.installEventFilter(this);
    for (QLabel* box : controlBox_) {
        box->setMouseTracking(true);
        box->installEventFilter(this);
    }

    Timer1.setInterval(1);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &FrameChrome::OnTimer1);
    Timer1.start();  // start-up's tick: the first frame goes into the retained image

    if (window_.isVisible()) {
        OnResize();
    }
}

FrameChrome::~FrameChrome() = default;

QFont FrameChrome::DefaultTitleFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(9);
    font.setWeight(QFont::Bold);
    font.setStyleStrategy(QFont::PreferNoShaping);  // the title is plain ASCII
    return font;
}

void FrameChrome::SetControlBox() {
    for (std::size_t i = 0; i < controlBox_.size(); ++i) {
        controlBox_[i]->move(window_.width() - kControlBoxFromRight[i], 0);
    }
}

void FrameChrome::PlaceCentred(const QRect& area) {
    if (!windows_.PlacesWindowsItself()) {
        window_.move(CentredTopLeft(area, window_.frameGeometry().size()));
    }
}

bool FrameChrome::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        switch (event->type()) {
            case QEvent::WindowStateChange:
                // Every way into or out of minimised changes the state: our button, the
                // window system's, a restore, and Wayland taking a minimise back at once.
                Timer1.start();
                OnResize();
                break;
            case QEvent::Resize:
            case QEvent::ScreenChangeInternal:
                OnResize();
                break;
            case QEvent::Paint: {
                QPainter painter(&window_);
                surface_.Paint(painter, static_cast<QPaintEvent*>(event)->region());
                break;
            }
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                OnWindowPress(*static_cast<QMouseEvent*>(event));
                break;
            case QEvent::MouseMove:
                OnWindowMove(*static_cast<QMouseEvent*>(event));
                break;
            case QEvent::MouseButtonRelease:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                    drag_.reset();
                }
                break;
            default:
                break;
        }
        return false;
    }
    for (std::size_t i = 0; i < controlBox_.size(); ++i) {
        if (watched == controlBox_[i]) {
            return OnBoxEvent(static_cast<int>(i), event);
        }
    }
    return false;
}

void FrameChrome::OnResize() {
    surface_.Resize();
    // The frame always goes into the retained image, also while the user drags an edge with
    // RetainedDrawing off: drawn straight to the screen, it would be lost at the next
    // uncovering, and the retained image would still hold the frame of the old size.
    const bool retained = surface_.RetainedDrawing();
    surface_.SetRetainedDrawing(true);
    DrawModule::DrawSkin({window_, windows_, surface_, titleFont_, kTitleColour},
                         Pictures().ImgBack);
    surface_.SetRetainedDrawing(retained);
    SetControlBox();
}

void FrameChrome::OnWindowPress(const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton) {
        return;
    }
    // Presses on a control reach us only when the control lets them through; they are the
    // control's all the same.
    if (window_.childAt(event.position().toPoint()) != nullptr) {
        return;
    }
    const Zone zone = PressZone(event.position(), window_.size());
    const bool started = zone == Zone::Rest
                             ? windows_.StartSystemMove(window_)
                             : windows_.StartSystemResize(window_, ResizeEdges(zone));
    if (!started) {
        drag_ = Drag{zone, event.globalPosition(), window_.geometry()};
    }
}

void FrameChrome::OnWindowMove(const QMouseEvent& event) {
    if (drag_ && !(event.buttons() & Qt::LeftButton)) {
        drag_.reset();  // the release went elsewhere
    }
    if (drag_) {
        FollowDrag(event.globalPosition());
    } else {
        if (window_.childAt(event.position().toPoint()) != nullptr) {
            return;
        }
        const Zone zone = PointerZone(event.position(), window_.size());
        if (zone == Zone::Rest) {
            window_.unsetCursor();
        } else {
            window_.setCursor(PointerShape(zone));
        }
    }
    PaintNormalBoxes();
}

void FrameChrome::FollowDrag(QPointF globalPos) {
    const QPoint delta = (globalPos - drag_->pressedAt).toPoint();
    const QRect& start = drag_->startGeometry;
    const Qt::Edges edges = ResizeEdges(drag_->zone);
    if (!edges) {
        if (!windows_.PlacesWindowsItself()) {
            window_.move(start.topLeft() + delta);
        }
        return;
    }
    QSize size = start.size();
    if (edges & Qt::RightEdge) {
        size.setWidth(start.width() + delta.x());
    }
    if (edges & Qt::BottomEdge) {
        size.setHeight(start.height() + delta.y());
    }
    window_.resize(size.expandedTo(window_.minimumSize()));
}

bool FrameChrome::OnBoxEvent(int index, QEvent* event) {
    const SkinPictures& pictures = Pictures();
    const QEvent::Type type = event->type();
    // Minimise, the about box and close wait while a modal box keeps input from the window,
    // whoever sends the click: the window system holds back its own, a screen reader's comes
    // straight here.
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
         type == QEvent::MouseButtonRelease) &&
        platform::InputBlockedByModal(window_)) {
        return true;
    }
    switch (type) {
        case QEvent::MouseMove:
            PaintBoxLook(index, pictures.ImgBox[1]);
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            PaintBoxLook(index, pictures.ImgBox[2]);
            return true;
        case QEvent::MouseButtonRelease:
            OnBoxRelease(index, *static_cast<QMouseEvent*>(event));
            return true;
        default:
            return false;
    }
}

void FrameChrome::OnBoxRelease(int index, const QMouseEvent& event) {
    // Only a release strictly inside the button is a click; the press look stays either way.
    const QLabel& box = *controlBox_[index];
    const QPointF at = event.position();
    if (!(at.x() > 0 && at.x() < box.width() && at.y() > 0 && at.y() < box.height())) {
        return;
    }
    switch (index) {
        case 0:
            window_.showMinimized();
            break;
        case 1:
            if (actions_.showAbout) {
                actions_.showAbout();
            }
            break;
        default:
            // May end the window and with it this object: nothing may follow.
            actions_.closeProgram();
            break;
    }
}

// While the window is minimised, whatever is drawn on it has to go into the retained image,
// or a restore would show a frame that the next uncovering wipes. Once the window is back,
// drawing goes straight to the screen again. One tick after each change of state is enough:
// minimised, nothing changes until the state does, so nothing wakes the program meanwhile.
void FrameChrome::OnTimer1() {
    surface_.SetRetainedDrawing(window_.isMinimized());
}

void FrameChrome::PaintNormalBoxes() {
    const SkinPicture& strip = Pictures().ImgBox[0];
    const QPoint at(window_.width() - kControlBoxFromRight[0], 0);
    surface_.Draw(QRect(at, strip.Size()),
                  [&](QPainter& p) { strip.PaintPiece(p, QRect(QPoint(0, 0), strip.Size()), at); });
}

void FrameChrome::PaintBoxLook(int index, const SkinPicture& strip) {
    PaintNormalBoxes();
    const QLabel& box = *controlBox_[index];
    const QRect source(kControlBoxStripLeft[index], 0, box.width(), kControlBoxLookHeight);
    const QPoint at(box.x(), 0);
    surface_.Draw(QRect(at, source.size()), [&](QPainter& p) { strip.PaintPiece(p, source, at); });
}

}  // namespace quillet::app
