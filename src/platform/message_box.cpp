#include "platform/message_box.h"

#include <QMessageBox>

namespace quillet::platform {

void QtMessageBoxes::Show(QWidget* parent, const QString& text, const QString& title,
                          MessageIcon icon) {
    QMessageBox box(
        icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Critical, title,
        text, QMessageBox::Ok, parent);
    // A path or a server's words can hold anything; shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace quillet::platform
