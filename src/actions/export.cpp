#include "actions/export.h"

#include <QFile>
#include <QListWidget>
#include <QStringEncoder>
#include <csignal>

#include <pthread.h>

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

// A write past the file-size limit (RLIMIT_FSIZE) fails, but the kernel also raises SIGXFSZ,
// which would end the program. Ignoring it for the whole process would pass that on to every
// program started from here (ping, the terminal, the browser); held back in this thread for
// one write and then taken off again, only the failure remains.
class FileSizeSignalHeld {
public:
    FileSizeSignalHeld() {
        sigemptyset(&signal_);
        sigaddset(&signal_, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &signal_, &before_);
    }
    ~FileSizeSignalHeld() {
        const timespec now{};
        while (sigtimedwait(&signal_, nullptr, &now) == SIGXFSZ) {
        }
        pthread_sigmask(SIG_SETMASK, &before_, nullptr);
    }
    FileSizeSignalHeld(const FileSizeSignalHeld&) = delete;
    FileSizeSignalHeld& operator=(const FileSizeSignalHeld&) = delete;

private:
    sigset_t signal_{};
    sigset_t before_{};
};

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
    // Unbuffered: the block goes out in write() itself, so a failure is seen there.
    constexpr QIODevice::OpenMode kMode =
        QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered;
    auto file = std::make_unique<QFile>(path);
    // Creating only a file that is not there yet tells which one a failure may remove. Should
    // the file come or go between the two tries, they are made again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (file->open(kMode | QIODevice::NewOnly)) return AppendTarget{std::move(file), true};
        if (file->open(kMode | QIODevice::ExistingOnly)) {
            return AppendTarget{std::move(file), false};
        }
    }
    return std::nullopt;
}

void Abandon(AppendTarget& target) {
    if (target.created) (void)target.file->remove();
}

bool AppendBlock(AppendTarget& target, const QByteArray& bytes) {
    QFile& file = *target.file;
    const qint64 before = file.size();
    qint64 written = 0;
    {
        const FileSizeSignalHeld held;
        written = file.write(bytes);
    }
    if (written == bytes.size()) return true;
    // Where even the cut fails (a device such as /dev/full), there is nothing more to do.
    if (!target.created) (void)file.resize(before);
    Abandon(target);
    return false;
}

}  // namespace quillet::actions
