#include "actions/export.h"

#include <QFile>
#include <QListWidget>
#include <QStringEncoder>

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

std::unique_ptr<QFile> OpenForAppend(const QString& path) {
    if (path.isEmpty()) return nullptr;
    auto file = std::make_unique<QFile>(path);
    // Unbuffered: the block goes out in write() itself, so a failure is seen there.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        return nullptr;
    }
    return file;
}

bool AppendBlock(QFile& file, const QByteArray& bytes) {
    const qint64 before = file.size();
    if (file.write(bytes) == bytes.size()) return true;
    // Where even the cut fails (a device such as /dev/full), there is nothing more to do.
    (void)file.resize(before);
    return false;
}

}  // namespace quillet::actions
