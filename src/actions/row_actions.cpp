#include "actions/row_actions.h"

#include <QListWidget>
#include <QUrl>
#include <array>

#include "actions/results_list.h"
#include "platform/process_launcher.h"
#include "texts/qt_texts.h"

namespace quillet::actions {

QString RowTarget(const QString& rowText) {
    const qsizetype colon = rowText.indexOf(QLatin1Char(':'));
    return colon < 0 ? rowText : rowText.mid(colon + 1);
}

std::optional<QString> MenuRowTarget(const QListWidget& list, std::int16_t menuY) {
    const int row = menuY / kRowHeightPx;
    if (row < 0 || row >= list.count()) return std::nullopt;
    const QString text = list.item(row)->text();
    if (text.isEmpty()) return std::nullopt;
    return RowTarget(text);
}

QString SearchAddress(const QString& target) {
    // Encoded as a query value, so that '#', '&', '=', '+' and '%' reach the search engine as
    // part of the term instead of ending or splitting it.
    return ToQString(texts::kSearchAddressPrefix) +
           QString::fromLatin1(QUrl::toPercentEncoding(target));
}

namespace {

// How each terminal is told "run this program with these arguments", each argument kept
// whole. Terminals that only take the command as one string to split (lxterminal, tilix,
// ...) are left out on purpose. The Debian alternative comes first: it is the user's choice.
struct Terminal {
    const char* name;
    const char* runOption;
};
constexpr std::array kTerminals{
    Terminal{"x-terminal-emulator", "-e"},  // Debian policy: the rest of argv is the command
    Terminal{"gnome-terminal", "--"},
    Terminal{"konsole", "-e"},
    Terminal{"xfce4-terminal", "-x"},
    Terminal{"mate-terminal", "-x"},
    Terminal{"xterm", "-e"},
};

}  // namespace

std::optional<Command> PingInTerminal(const QString& target,
                                      const platform::ProcessLauncher& launcher) {
    // A row ending in a colon leaves ping with nothing to reach, so it shows its usage.
    QStringList pingArgv{ToQString(texts::kPingProgram)};
    if (!target.isEmpty()) pingArgv << QStringLiteral("--") << target;
    for (const Terminal& terminal : kTerminals) {
        const QString path = launcher.FindExecutable(QString::fromLatin1(terminal.name));
        if (path.isEmpty()) continue;
        return Command{path, QStringList{QString::fromLatin1(terminal.runOption)} + pingArgv};
    }
    return std::nullopt;
}

}  // namespace quillet::actions
