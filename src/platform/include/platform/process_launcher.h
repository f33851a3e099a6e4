#pragma once

#include <QString>
#include <QStringList>

namespace quillet::platform {

// Starts a program as a new process without waiting for it. Arguments are passed as they
// are, one each, never through a shell.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // False when the program could not be started.
    virtual bool StartDetached(const QString& program, const QStringList& arguments) = 0;
    // The full path of an executable found on PATH, or empty.
    [[nodiscard]] virtual QString FindExecutable(const QString& name) const = 0;
};

class QtProcessLauncher final : public ProcessLauncher {
public:
    bool StartDetached(const QString& program, const QStringList& arguments) override;
    [[nodiscard]] QString FindExecutable(const QString& name) const override;
};

}  // namespace quillet::platform
