#pragma once

#include <QString>

class QWidget;

namespace quillet::platform {

enum class MessageIcon { Information, Error };

// Modal message boxes with a single OK button. Tests replace this with a recorder.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Returns when the user has dismissed the box.
    virtual void Show(QWidget* parent, const QString& text, const QString& title,
                      MessageIcon icon) = 0;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void Show(QWidget* parent, const QString& text, const QString& title,
              MessageIcon icon) override;
};

}  // namespace quillet::platform
