#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QListWidget;

namespace quillet::actions {

// A row's value: everything after its first ":" (later colons included), or the whole text
// when it has none.
QString RowTarget(const QString& rowText);

// The target of the row recorded by the last right press, taken from the list as it is now;
// nothing when that row is gone or empty.
std::optional<QString> MenuRowTarget(const QListWidget& list);

// Where the web search for a target goes; the target is appended exactly as it is.
QString SearchAddress(const QString& target);

struct Command {
    QString program;
    QStringList arguments;
    bool operator==(const Command&) const = default;
};

// Full path of an executable found on PATH, or empty. Tests hand in a fake.
using ExecutableFinder = std::function<QString(const QString& name)>;
ExecutableFinder PathExecutableFinder();

// The first installed terminal, told to run ping on `target`; nothing when no terminal is
// installed. The target is always one argument of its own and can never be read as an option
// of ping: a name out of a DNS reply is whatever the server chose to put there.
std::optional<Command> PingInTerminal(const QString& target, const ExecutableFinder& find);

}  // namespace quillet::actions
