#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace quillet::platform {

struct SaveDialogOptions {
    QString title;
    QString defaultName;
    QString filter;         // e.g. "Text (*.txt)"
    QString defaultSuffix;  // added to a name typed without one
};

// The system's Save dialog: asks before replacing a file and requires an existing folder.
// Returns the chosen full path, or nothing on cancel.
class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    [[nodiscard]] virtual std::optional<QString> AskPath(QWidget* parent,
                                                         const SaveDialogOptions& options) = 0;
};

class QtSaveDialog final : public SaveDialog {
public:
    [[nodiscard]] std::optional<QString> AskPath(QWidget* parent,
                                                 const SaveDialogOptions& options) override;
};

}  // namespace quillet::platform
