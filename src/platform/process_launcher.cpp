#include "platform/process_launcher.h"

#include <QProcess>

namespace quillet::platform {

bool QtProcessLauncher::StartDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

}  // namespace quillet::platform
