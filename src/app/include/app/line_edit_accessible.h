#pragma once

class QAccessibleInterface;
class QLineEdit;

namespace quillet::app {

// Qt's interface for a line edit, with every change a screen reader asks for (text, cursor,
// selection, focus) refused while a modal box keeps input from the line edit.
[[nodiscard]] QAccessibleInterface* NewLineEditAccessible(QLineEdit* edit);

}  // namespace quillet::app
