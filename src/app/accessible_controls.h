#pragma once

#include <QLabel>

namespace quillet::app {

// A caption button of the frameless window: a transparent label over the frame picture, whose
// pointer events the frame code handles. Its own type only tells screen readers that it is a
// push button, named by its accessible name.
class CaptionButtonLabel final : public QLabel {
    Q_OBJECT
public:
    // QLabel's text constructor would announce the label before it is one of these.
    explicit CaptionButtonLabel(QWidget* parent) : QLabel(parent) {}
};

// Teaches Qt's accessibility layer two things about the window's controls: caption buttons
// are push buttons that can be pressed, and a drop-down list is named by its own accessible
// name (or its label), not by the row it shows. Safe to call more than once; call it before
// the controls exist.
void InstallAccessibleControls();

}  // namespace quillet::app
