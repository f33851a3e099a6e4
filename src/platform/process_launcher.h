#pragma once

#include <QString>
#include <QStringList>

namespace quillet::platform {

// Starts a program as a new process without waiting for it. Arguments are passed as they
// are, one each, never through a shell.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    virtual bool StartDetached(const QString& program, const QStringList& arguments) = 0;
};

class QtProcessLauncher final : public ProcessLauncher {
public:
    bool StartDetached(const QString& program, const QStringList& arguments) override;
};

}  // namespace quillet::platform
