#pragma once

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTime>
#include <memory>
#include <optional>

class QListWidget;

namespace quillet::actions {

// The text of one export: the five banner lines, then "# " and each row, every line ended by
// CR LF.
[[nodiscard]] QString ExportBlock(QDate date, QTime time, const QStringList& rows);

// Reads every row of `list` by making it the selected row in turn, as a user watching the
// list sees it; the last row stays selected.
[[nodiscard]] QStringList WalkRows(QListWidget& list);

// The export file's encoding. Characters GBK cannot hold become "?". Empty when this Qt has no
// GBK converter.
[[nodiscard]] std::optional<QByteArray> ToGbk(const QString& text);
[[nodiscard]] bool CanWriteGbk();

// A file opened for appending, its path, and whether this export created it.
struct AppendTarget {
    std::unique_ptr<QFile> file;
    QString path;
    bool created = false;
};

// Opens `path` for appending, creating the file if needed; nothing when it cannot be opened or
// is no regular file (a named pipe, a device, a socket), and then never after a wait.
[[nodiscard]] std::optional<AppendTarget> OpenForAppend(const QString& path);

// Gives up an export: a file it created goes again, one that was there is left alone.
void Abandon(AppendTarget& target);

// Adds `bytes` after the file's last byte, whole or not at all: when they cannot all be
// written (a full disk, a file-size limit), the file is cut back to the size it had before, so
// it holds exactly what it held, and the export is abandoned. False when the block did not go
// in whole.
[[nodiscard]] bool AppendBlock(AppendTarget& target, const QByteArray& bytes);

}  // namespace quillet::actions
