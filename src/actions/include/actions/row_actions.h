#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class QListWidget;

namespace quillet::platform {
class ProcessLauncher;
}

namespace quillet::actions {

// A row's value: everything after its first ":" (later colons included), or the whole text
// when it has none.
[[nodiscard]] QString RowTarget(const QString& rowText);

// The target of the row that the last right press recorded in `menuY`, taken from the list as
// it is now; nothing when that row is gone or empty.
[[nodiscard]] std::optional<QString> MenuRowTarget(const QListWidget& list, std::int16_t menuY);

// Where the web search for a target goes: the fixed prefix, then the target percent-encoded
// (UTF-8), so that the engine's query value is exactly the prefix's "domain:" and the target.
[[nodiscard]] QString SearchAddress(const QString& target);

struct Command {
    QString program;
    QStringList arguments;
    bool operator==(const Command&) const = default;
};

// The first installed terminal, told to run ping on `target`; nothing when no terminal is
// installed. The target is always one argument of its own and can never be read as an option
// of ping: a name out of a DNS reply is whatever the server chose to put there.
[[nodiscard]] std::optional<Command> PingInTerminal(const QString& target,
                                                    const platform::ProcessLauncher& launcher);

}  // namespace quillet::actions
