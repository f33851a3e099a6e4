#include "platform/save_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "texts/qt_texts.h"

namespace quillet::platform {

namespace {

// Qt's own dialog accepts a name in a folder that does not exist; this one refuses it and
// stays open, so the caller never gets a path it cannot create.
class ExistingFolderSaveDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty()) {
            const QFileInfo chosen(files.constFirst());
            if (!chosen.isDir() && !QFileInfo(chosen.absolutePath()).isDir()) {
                // A folder name is whatever the user typed: plain text, never markup.
                QMessageBox missing(QMessageBox::Warning, windowTitle(),
                                    ToQString(texts::kSaveFolderMissing).arg(chosen.absolutePath()),
                                    QMessageBox::Ok, this);
                missing.setTextFormat(Qt::PlainText);
                missing.exec();
                return;
            }
        }
        QFileDialog::accept();
    }
};

}  // namespace

std::optional<QString> QtSaveDialog::AskPath(QWidget* parent, const SaveDialogOptions& options) {
    ExistingFolderSaveDialog dialog(parent, options.title, QString(), options.filter);
    // Qt's own dialog on every desktop: it matches "*.txt" whatever the case, and the folder
    // check above needs it.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(options.defaultSuffix);
    dialog.selectFile(options.defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace quillet::platform
