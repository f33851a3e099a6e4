// What a hostile network or a careless paste can throw at the window.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QUdpSocket>
#include <cstdio>

#include "support/main_window_fixture.h"

namespace quillet::app {
namespace {

using quillet::testing::ExampleAReply;

// AddressSanitizer keeps freed memory in quarantine, so resident memory says nothing there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryIsMeaningful = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kMemoryIsMeaningful = false;
#else
constexpr bool kMemoryIsMeaningful = true;
#endif
#else
constexpr bool kMemoryIsMeaningful = true;
#endif

// Resident memory of this process in KiB.
long ResidentKiB() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return 0;
}

QByteArray RandomBytes(QRandomGenerator& random, int size) {
    QByteArray bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random.bounded(256));
    }
    return bytes;
}

class HardeningTest : public quillet::testing::LoopbackServerWindowTest {
protected:
    // Sends a query through the window and returns the port it came from.
    quint16 SendQuery() {
        Query("example.com", QStringLiteral("A记录查询"));
        NextQuery();
        return static_cast<quint16>(last.senderPort());
    }
};

TEST_F(HardeningTest, AFloodFromStrangersIsDroppedWhileTheRealReplyShows) {
    const quint16 clientPort = SendQuery();
    QUdpSocket stranger;
    ASSERT_TRUE(stranger.bind(QHostAddress::LocalHost, 0));
    QRandomGenerator random(1234);

    const long before = ResidentKiB();
    QElapsedTimer clock;
    clock.start();
    constexpr int kFlood = 20000;
    for (int i = 0; i < kFlood; ++i) {
        const QByteArray datagram =
            i % 2 ? RandomBytes(random, 1 + random.bounded(600)) : ExampleAReply(66);
        stranger.writeDatagram(datagram, QHostAddress::LocalHost, clientPort);
        if (i % 200 == 0) {
            QCoreApplication::processEvents();
        }
        if (i == kFlood / 2) {
            server.writeDatagram(ExampleAReply(1), QHostAddress::LocalHost, clientPort);
        }
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->List_Show->count() == 2; }));
    EXPECT_EQ(Rows().value(1), QStringLiteral("IP信息:192.0.2.1"));
    // A reply sent now queues behind what is left of the flood: once it shows, all was read.
    // What is left is read a batch a turn; once a turn reads nothing, the reply fits in.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const std::uint64_t dropped = window->wsk.DroppedCount();
        QCoreApplication::processEvents();
        return window->wsk.DroppedCount() == dropped;
    }));
    server.writeDatagram(ExampleAReply(2), QHostAddress::LocalHost, clientPort);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Rows().value(1).endsWith(".2"); }));
    const long after = ResidentKiB();
    std::printf("[   info   ] %d stranger datagrams in %lld ms, %llu dropped, RSS %ld -> %ld KiB\n",
                kFlood, static_cast<long long>(clock.elapsed()),
                static_cast<unsigned long long>(window->wsk.DroppedCount()), before, after);

    EXPECT_EQ(Rows(), QStringList({QStringLiteral("提交的域名为:example.com"),
                                   QStringLiteral("IP信息:192.0.2.2")}));
    EXPECT_GT(window->wsk.DroppedCount(), 0u);
    EXPECT_TRUE(fake.messages.shown.empty());
    if (kMemoryIsMeaningful) {
        EXPECT_LT(after - before, 8 * 1024)
            << "resident memory grew from " << before << " to " << after << " KiB";
    }
}

TEST_F(HardeningTest, AFloodFromTheServerIsDecodedDatagramByDatagram) {
    const quint16 clientPort = SendQuery();
    QSignalSpy decoded(&window->wsk, &net::Wsk::DataArrival);
    QRandomGenerator random(99);

    long before = 0;
    int sent = 0;
    QElapsedTimer clock;
    clock.start();
    constexpr int kRounds = 100;
    constexpr int kBurst = 50;  // small enough that the socket buffer never overflows
    for (int round = 0; round < kRounds; ++round) {
        if (round == 10) {
            before = ResidentKiB();  // after caches and the list have warmed up
        }
        for (int i = 0; i < kBurst; ++i, ++sent) {
            QByteArray datagram = sent % 3 == 0 ? ExampleAReply(static_cast<quint8>(sent))
                                                : RandomBytes(random, 1 + random.bounded(700));
            if (sent % 3 == 1 && datagram.size() > 12) {
                datagram.replace(0, 12, QByteArray::fromHex("000081800001000300000000"));
            }
            server.writeDatagram(datagram, QHostAddress::LocalHost, clientPort);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return decoded.count() == sent; }))
            << decoded.count() << " of " << sent;
    }
    const long after = ResidentKiB();
    std::printf("[   info   ] %d server datagrams decoded in %lld ms, RSS %ld -> %ld KiB\n", sent,
                static_cast<long long>(clock.elapsed()), before, after);
    EXPECT_EQ(window->wsk.DroppedCount(), 0u);
    if (kMemoryIsMeaningful) {
        EXPECT_LT(after - before, 8 * 1024)
            << "resident memory grew from " << before << " to " << after << " KiB";
    }
}

TEST_F(HardeningTest, BadDomainTextsSendNothingAndSayWhy) {
    const QString notADomain = QStringLiteral("请输入正确的域名信息");
    const QString fatal = QStringLiteral("程序在打包和发送的过程中出现致命错误,错误描述:");
    struct Case {
        QString text;
        QString messageStart;
    };
    const QString megabyteLabel = QString(1 << 20, 'a') + ".com";
    const std::vector<Case> cases = {
        {megabyteLabel, fatal},                         // a label far beyond 255 bytes
        {QString(1 << 20, QChar(0x4F8B)), notADomain},  // a megabyte of Chinese
        {QStringLiteral("exa\x01mple.com"), notADomain},
        {QStringLiteral("example.com\r\n"), notADomain},
        {QStringLiteral("exam\u0000ple.com"), notADomain},
        {QStringLiteral("\u00A0example.com"), notADomain},
        {QStringLiteral("example.com\u3000"), notADomain},
        {QStringLiteral("\u2003example.com\u2009"), notADomain},
        {QStringLiteral("\uFEFFexample.com"), notADomain},
        {QStringLiteral("example\u3002com"), notADomain},  // ideographic full stop
        {QStringLiteral("example\uFF0Ecom"), notADomain},  // full-width full stop
        {QStringLiteral("example\uFF61com"), notADomain},  // half-width ideographic full stop
        {QStringLiteral("ｅｘａｍｐｌｅ.com"), notADomain},
    };
    for (const Case& c : cases) {
        fake.messages.shown.clear();
        window->Txt_Domain->setText(c.text);
        window->QueryAction();
        ASSERT_EQ(fake.messages.shown.size(), 1u) << c.text.left(40).toStdString();
        EXPECT_TRUE(fake.messages.shown[0].text.startsWith(c.messageStart))
            << c.text.left(40).toStdString() << " gave "
            << fake.messages.shown[0].text.toStdString();
    }
    EXPECT_TRUE(NothingSent());
}

}  // namespace
}  // namespace quillet::app
