#include "actions/export.h"

#include <QFile>
#include <QListWidget>
#include <QStringEncoder>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_size_signal.h"
#include "texts/qt_texts.h"

namespace quillet::actions {

QString ExportBlock(QDate date, QTime time, const QStringList& rows) {
    using namespace texts;
    QString block;
    const auto line = [&block](const QString& text) { block += text + ToQString(kLineEnd); };
    line(ToQString(kBannerRule));
    line(ToQString(kBannerTool));
    line(ToQString(kBannerTimeLabel) + date.toString(ToQString(kDateFormat)) + QLatin1Char(' ') +
         time.toString(ToQString(kTimeFormat)));
    line(ToQString(kBannerAuthorLabel) + ToQString(kAuthor));
    line(ToQString(kBannerRule));
    for (const QString& row : rows) line(ToQString(kRowPrefix) + row);
    return block;
}

QStringList WalkRows(QListWidget& list) {
    QStringList rows;
    const int count = list.count();
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        list.setCurrentRow(i);
        const QListWidgetItem* selected = list.currentItem();
        rows << (selected != nullptr ? selected->text() : QString());
    }
    return rows;
}

namespace {

// Unbuffered: the block goes out in write() itself, so a failure is seen there.
constexpr QIODevice::OpenMode kAppendMode =
    QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered;

// Opens `path` for appending with open(2)'s `flags` added, and hands it to `file` if it is a
// regular file. Nothing else will do, and nothing may wait: a named pipe without a reader holds
// a plain open until one comes, a pipe or a device can hold every write, with the window
// asleep meanwhile. (Regular files ignore O_NONBLOCK.)
[[nodiscard]] bool OpenRegularFile(const QString& path, QFile& file, int flags) {
    const int fd = open(QFile::encodeName(path).constData(),
                        O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC | flags, 0666);
    if (fd < 0) return false;
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        file.open(fd, kAppendMode, QFileDevice::AutoCloseHandle)) {
        return true;
    }
    close(fd);
    return false;
}

// Qt reaches GBK through ICU, whose GBK table writes "?" for what it cannot map.
[[nodiscard]] QStringEncoder GbkEncoder() {
    return QStringEncoder("GBK", QStringConverter::Flag::Stateless);
}

}  // namespace

bool CanWriteGbk() {
    return GbkEncoder().isValid();
}

std::optional<QByteArray> ToGbk(const QString& text) {
    QStringEncoder encoder = GbkEncoder();
    if (!encoder.isValid()) return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    return bytes;
}

std::optional<AppendTarget> OpenForAppend(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    auto file = std::make_unique<QFile>();
    // Creating only a file that is not there yet tells which one a failure may remove. Should
    // the file come or go between the two tries, they are made again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (OpenRegularFile(path, *file, O_CREAT | O_EXCL)) {
            return AppendTarget{std::move(file), path, true};
        }
        if (OpenRegularFile(path, *file, 0)) return AppendTarget{std::move(file), path, false};
    }
    return std::nullopt;
}

void Abandon(AppendTarget& target) {
    if (!target.created) return;
    // By name: a QFile opened on a descriptor has none.
    target.file->close();
    (void)QFile::remove(target.path);
}

bool AppendBlock(AppendTarget& target, const QByteArray& bytes) {
    QFile& file = *target.file;
    const qint64 before = file.size();
    qint64 written = 0;
    {
        const platform::FileSizeSignalHeld held;
        written = file.write(bytes);
    }
    if (written == bytes.size()) return true;
    // Where even the cut fails, there is nothing more to do.
    if (!target.created) (void)file.resize(before);
    Abandon(target);
    return false;
}

}  // namespace quillet::actions
