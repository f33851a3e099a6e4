#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <optional>

#include "app/skin/draw_module.h"

namespace quillet::testing {

// The last piece of `plan` that covers `point`, which is what the window shows there.
inline std::optional<app::DrawModule::Piece> LastPieceAt(const app::DrawModule::SkinPlan& plan,
                                                         QPoint point) {
    std::optional<app::DrawModule::Piece> last;
    for (const app::DrawModule::Piece& piece : plan.pieces) {
        if (QRect(piece.dest, piece.source.size()).contains(point)) {
            last = piece;
        }
    }
    return last;
}

// What the frame picture `back` puts at `point` of a window painted by `plan`, or `background`
// where no piece lands.
inline QColor ExpectedFramePixel(const app::DrawModule::SkinPlan& plan, const QImage& back,
                                 QPoint point, QColor background) {
    const auto piece = LastPieceAt(plan, point);
    if (!piece) {
        return background;
    }
    return back.pixelColor(piece->source.topLeft() + (point - piece->dest));
}

}  // namespace quillet::testing
