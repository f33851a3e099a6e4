#include "platform/modality.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace quillet::platform {

bool InputBlockedByModal(const QWidget& widget) {
    // Every box and dialog of the program is application-modal, native or not; the top one is
    // the only window (with those it opened) that takes input.
    const QWindow* modal = QGuiApplication::modalWindow();
    if (modal == nullptr) return false;
    for (const QWindow* w = widget.window()->windowHandle(); w != nullptr;
         w = w->transientParent()) {
        if (w == modal) return false;
    }
    return true;
}

}  // namespace quillet::platform
