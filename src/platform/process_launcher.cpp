#include "platform/process_launcher.h"

#include <QProcess>
#include <QStandardPaths>

namespace quillet::platform {

bool QtProcessLauncher::StartDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

QString QtProcessLauncher::FindExecutable(const QString& name) const {
    return QStandardPaths::findExecutable(name);
}

}  // namespace quillet::platform
