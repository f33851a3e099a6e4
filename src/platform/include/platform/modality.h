#pragma once

class QWidget;

namespace quillet::platform {

// Whether a modal window keeps input from `widget` now: the same test the window system makes
// before it hands a click or a key to the widget's window. Anything that acts for the user by
// another route (a screen reader's action, a synthetic event) asks this first, so it can do
// nothing that a click could not do at that moment. A modal window takes input itself, and so
// do the windows it opened; timers and sockets are not input and go on regardless.
[[nodiscard]] bool InputBlockedByModal(const QWidget& widget);

}  // namespace quillet::platform
