#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "actions/export.h"
#include "fakes.h"

namespace quillet::actions::testing {
namespace {

// The banner as it must reach the disk, written out independently of the program's texts.
QByteArray Banner(const char* timestamp) {
    QByteArray bytes;
    bytes += "##############################\r\n";
    bytes += QByteArray::fromHex("2320b8c3cafdbeddb1a3b4e6d7d45175696c6c6574b9a4bedf") + "\r\n";
    bytes += QByteArray::fromHex("2320b1a3b4e6cab1bce43a") + timestamp + "\r\n";
    bytes += QByteArray::fromHex("2320d7f7d5df3a5175696c6c6574") + "\r\n";
    bytes += "##############################\r\n";
    return bytes;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// gtest shows a std::string difference line by line, escapes and all.
std::string Str(const QByteArray& bytes) {
    return bytes.toStdString();
}

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("查询结果.TXT"));
        world.saveDialog.answer = path;
    }
    void Export() {
        world.host->Ensure()->Menu_Save->trigger();
        QCoreApplication::sendPostedEvents();
    }

    QTemporaryDir dir;
    QString path;
    ActionsWorld world;
};

TEST_F(ExportTest, WritesTheBannerAndEveryRowInGbkWithCrLf) {
    world.Fill({QStringLiteral("提交的域名为:example.com"), QString(),
                QStringLiteral("IP信息:192.0.2.1")});
    Export();

    QByteArray expected = Banner("2026-12-07 08:30:05");
    expected += "# " + QByteArray::fromHex("cce1bdbbb5c4d3f2c3fbceaa3a") + "example.com\r\n";
    expected += "# \r\n";
    expected += "# " + QByteArray::fromHex("4950d0c5cfa23a") + "192.0.2.1\r\n";
    EXPECT_EQ(Str(ReadAll(path)), Str(expected));
    EXPECT_EQ(world.list->currentRow(), 2);
}

TEST_F(ExportTest, AskedForTheFileWithTheDialogTexts) {
    Export();
    EXPECT_EQ(world.saveDialog.options.title, QStringLiteral("导出结果到..."));
    EXPECT_EQ(world.saveDialog.options.defaultName, QStringLiteral("查询结果.txt"));
    EXPECT_EQ(world.saveDialog.options.filter, QStringLiteral("查询结果数据(*.txt)"));
    EXPECT_EQ(world.saveDialog.options.defaultSuffix, QStringLiteral("TXT"));
}

TEST_F(ExportTest, EmptyListWritesTheBannerAloneAndReportsZero) {
    Export();
    EXPECT_EQ(Str(ReadAll(path)), Str(Banner("2026-12-07 08:30:05")));
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_TRUE(world.messages.shown[0].text.startsWith(QStringLiteral("共导出 0条记录\r\n")));
}

TEST_F(ExportTest, SecondExportAppendsAWholeBlockAndKeepsTheFirst) {
    world.Fill({QStringLiteral("IP信息:192.0.2.1")});
    Export();
    const QByteArray first = ReadAll(path);

    world.Box()->deleteLater();  // a later export may run in a new about box
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    world.clock.time = QTime(23, 59, 58);
    world.Fill({QStringLiteral("IP信息:192.0.2.2"), QStringLiteral("IP信息:192.0.2.3")});
    Export();

    const QByteArray both = ReadAll(path);
    ASSERT_TRUE(both.startsWith(first));
    QByteArray second = Banner("2026-12-07 23:59:58");
    second += "# " + QByteArray::fromHex("4950d0c5cfa23a") + "192.0.2.2\r\n";
    second += "# " + QByteArray::fromHex("4950d0c5cfa23a") + "192.0.2.3\r\n";
    EXPECT_EQ(Str(both.mid(first.size())), Str(second));
}

TEST_F(ExportTest, CancelTouchesNothingAndSaysNothing) {
    world.saveDialog.answer.reset();
    world.Fill({QStringLiteral("IP信息:192.0.2.1"), QStringLiteral("IP信息:192.0.2.2")});
    world.list->setCurrentRow(0);
    Export();
    EXPECT_EQ(world.saveDialog.asked, 1);
    EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_TRUE(world.messages.shown.empty());
    EXPECT_EQ(world.list->currentRow(), 0);
}

TEST_F(ExportTest, UnwritableTargetKeepsTheFileAndShowsNoMessage) {
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("kept\r\n");
    }
    // A target inside a file cannot be opened by anyone; root writes through file modes.
    world.saveDialog.answer = path + QStringLiteral("/查询结果.TXT");
    world.Fill({QStringLiteral("IP信息:192.0.2.1"), QStringLiteral("IP信息:192.0.2.2")});
    world.list->setCurrentRow(0);

    Export();
    EXPECT_EQ(Str(ReadAll(path)), "kept\r\n");
    EXPECT_TRUE(world.messages.shown.empty());
    EXPECT_EQ(world.list->currentRow(), 0);  // the export ended before touching the rows
}

TEST_F(ExportTest, UnopenableOrFullTargetsEndWithoutAMessage) {
    world.Fill({QStringLiteral("IP信息:192.0.2.1")});
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe), 0600), 0);
    const QString cases[] = {
        dir.path(),                                  // a folder, even for root
        dir.filePath(QStringLiteral("gone/x.TXT")),  // a folder that vanished meanwhile
        QStringLiteral("/dev/full"),                 // a device: every write would fail
        QStringLiteral("/dev/null"),                 // one where every write would go in
        pipe,                                        // a plain open would wait for a reader
    };
    alarm(30);  // a wait that should not be ends the test
    for (const QString& target : cases) {
        world.saveDialog.answer = target;
        Export();
        EXPECT_TRUE(world.messages.shown.empty()) << target.toStdString();
    }
    alarm(0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("gone"))));
}

TEST_F(ExportTest, ReportsTheCountAndTheFullPath) {
    QStringList rows;
    for (int i = 0; i < 12; ++i) rows << QStringLiteral("IP信息:192.0.2.%1").arg(i);
    world.Fill(rows);
    Export();
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text, QStringLiteral("共导出 12条记录\r\n导出位置:") + path);
    EXPECT_EQ(world.messages.shown[0].title, QStringLiteral("导出结果成功"));
    EXPECT_EQ(world.messages.shown[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(world.list->currentRow(), 11);
}

TEST_F(ExportTest, PathLongerThan255BytesIsUsedLikeAnyOther) {
    QString folder = dir.path();
    for (int i = 0; i < 6; ++i) {
        folder += QStringLiteral("/很长的文件夹名称很长的文件夹名称");  // 48 bytes in UTF-8
        ASSERT_TRUE(QDir().mkpath(folder));
    }
    const QString longPath = folder + QStringLiteral("/查询结果.txt");
    ASSERT_GT(longPath.toUtf8().size(), 300);
    world.saveDialog.answer = longPath;
    world.Fill({QStringLiteral("IP信息:192.0.2.1")});
    Export();
    EXPECT_TRUE(ReadAll(longPath).endsWith("192.0.2.1\r\n"));
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_TRUE(world.messages.shown[0].text.endsWith(longPath));
}

// A disk that fills midway, played by a file-size limit in a child process that leaves
// SIGXFSZ as it comes: cut short 7 bytes into a block or 1 byte before its end, the file keeps
// exactly its earlier bytes; a file the export created is gone again.
TEST_F(ExportTest, ABlockCutShortLeavesTheFileAsItWas) {
    Export();
    const QByteArray before = ReadAll(path);
    const QString fresh = dir.filePath(QStringLiteral("new.txt"));
    const std::pair<QString, qsizetype> cases[] = {
        {path, before.size() + 7}, {path, 2 * before.size() - 1}, {fresh, 7}};
    for (const auto& [target, limit] : cases) {
        if (fork() == 0) {  // only plain calls from here to _exit
            const rlimit cap{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
            std::optional<AppendTarget> file = OpenForAppend(target);
            _exit(setrlimit(RLIMIT_FSIZE, &cap) != 0 || !file || AppendBlock(*file, before));
        }
        int status = -1;
        wait(&status);
        EXPECT_EQ(status, 0) << "the write did not fail, limit " << limit;
        if (target == fresh) {
            EXPECT_FALSE(QFileInfo::exists(fresh));
        } else {
            EXPECT_EQ(Str(ReadAll(path)), Str(before)) << "limit " << limit;
        }
    }
}

TEST(ExportEncoding, CharactersGbkCannotHoldBecomeQuestionMarks) {
    ASSERT_TRUE(CanWriteGbk());
    // Thai, an emoji (one character, two UTF-16 units), a lone surrogate, Hangul.
    QString text = QStringLiteral("a\u0E01b😀c");
    text += QChar(0xD800);
    text += QStringLiteral("\uD55C");
    EXPECT_EQ(ToGbk(text), QByteArray("a?b?c??"));
    EXPECT_EQ(ToGbk(QStringLiteral("中ア")), QByteArray::fromHex("d6d0a5a2"));
}

}  // namespace
}  // namespace quillet::actions::testing
