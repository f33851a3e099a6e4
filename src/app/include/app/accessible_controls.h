#pragma once

#include <QLabel>

class QAbstractItemView;
class QComboBox;

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

// Makes `view` refuse selections while a modal box keeps input from it, whoever asks.
void RefuseSelectionUnderModal(QAbstractItemView& view);

// Has the row that `combo` turns to take the focus for screen readers, while the list is shut.
void AnnounceChosenRows(QComboBox& combo);

// Teaches Qt's accessibility layer about the program's windows: caption buttons are push
// buttons that can be pressed, a drop-down list of the main window is named by its own
// accessible name (or its label), not by the row it shows, which is its value and its text, the
// main window is a frame without the controls it keeps hidden, the about box's web-site line is
// a link, and the domain line takes no edit from a screen reader while a modal box keeps input
// from it. Safe to call more than once; call it before the controls exist.
void InstallAccessibleControls();

}  // namespace quillet::app
