#include "net/wsk.h"

#include <gtest/gtest.h>

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>
#include <algorithm>
#include <vector>

namespace quillet::net {
namespace {

// A stand-in DNS server: a socket on 127.0.0.1 that records what reaches it.
struct LoopbackPeer {
    LoopbackPeer() { EXPECT_TRUE(socket.bind(QHostAddress::LocalHost, 0)); }
    QNetworkDatagram Receive() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return socket.hasPendingDatagrams(); }));
        return socket.receiveDatagram();
    }
    QUdpSocket socket;
};

class WskTest : public ::testing::Test {
protected:
    void SetUp() override {
        wsk.SetProtocol(Wsk::Protocol::Udp);
        wsk.SetRemoteHost("127.0.0.1");
        wsk.SetRemotePort(server.socket.localPort());
    }
    QString Send(const std::vector<std::uint8_t>& bytes) { return wsk.SendData(bytes); }

    LoopbackPeer server;
    Wsk wsk{513};
};

TEST_F(WskTest, SendsExactlyTheDatagramAndHandsOnTheServersReply) {
    const std::vector<std::uint8_t> query = {0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0x00};
    ASSERT_EQ(Send(query), QString());
    const QNetworkDatagram received = server.Receive();
    EXPECT_EQ(received.data(), QByteArray("\x00\x00\x01\x00\x00\x01\x00", 7));

    QSignalSpy arrivals(&wsk, &Wsk::DataArrival);
    server.socket.writeDatagram(QByteArray("\x12\x34\x00", 3), received.senderAddress(),
                                received.senderPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return arrivals.count() == 1; }));
    EXPECT_EQ(wsk.GetData(), QByteArray("\x12\x34\x00", 3));
}

TEST_F(WskTest, DropsDatagramsFromAnyoneButTheServer) {
    QSignalSpy arrivals(&wsk, &Wsk::DataArrival);
    QUdpSocket stranger;
    ASSERT_TRUE(stranger.bind(QHostAddress::LocalHost, 0));

    // Nothing was sent yet: even the server's own port is not expected.
    ASSERT_EQ(Send({0x01}), QString());
    const QNetworkDatagram query = server.Receive();
    const quint16 clientPort = static_cast<quint16>(query.senderPort());

    stranger.writeDatagram(QByteArray("spoof"), QHostAddress::LocalHost, clientPort);
    ASSERT_TRUE(QTest::qWaitFor([&] { return wsk.DroppedCount() == 1; }));
    EXPECT_EQ(arrivals.count(), 0);

    server.socket.writeDatagram(QByteArray("real"), QHostAddress::LocalHost, clientPort);
    ASSERT_TRUE(QTest::qWaitFor([&] { return arrivals.count() == 1; }));
    EXPECT_EQ(wsk.GetData(), QByteArray("real"));
}

TEST_F(WskTest, RepliesFromTheOldServerAreDroppedAfterTheServerChanges) {
    ASSERT_EQ(Send({0x01}), QString());
    const quint16 clientPort = static_cast<quint16>(server.Receive().senderPort());

    LoopbackPeer other;
    wsk.SetRemotePort(other.socket.localPort());
    ASSERT_EQ(Send({0x02}), QString());
    other.Receive();

    QSignalSpy arrivals(&wsk, &Wsk::DataArrival);
    server.socket.writeDatagram(QByteArray("late"), QHostAddress::LocalHost, clientPort);
    other.socket.writeDatagram(QByteArray("new"), QHostAddress::LocalHost, clientPort);
    // The late one is read and dropped, not merely still on its way.
    ASSERT_TRUE(QTest::qWaitFor([&] { return wsk.DroppedCount() == 1 && arrivals.count() >= 1; }));
    EXPECT_EQ(arrivals.count(), 1);
    EXPECT_EQ(wsk.GetData(), QByteArray("new"));
}

TEST_F(WskTest, LongDatagramsAreCutToWhatTheDecoderTakes) {
    ASSERT_EQ(Send({0x01}), QString());
    const QNetworkDatagram query = server.Receive();
    QSignalSpy arrivals(&wsk, &Wsk::DataArrival);
    server.socket.writeDatagram(QByteArray(600, 'x'), query.senderAddress(), query.senderPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return arrivals.count() == 1; }));
    EXPECT_EQ(wsk.GetData().size(), 513);
}

TEST_F(WskTest, AnEmptyDatagramIsReadAndDoesNotStallLaterOnes) {
    ASSERT_EQ(Send({0x01}), QString());
    const QNetworkDatagram query = server.Receive();
    QSignalSpy arrivals(&wsk, &Wsk::DataArrival);
    server.socket.writeDatagram(QByteArray(), query.senderAddress(), query.senderPort());
    server.socket.writeDatagram(QByteArray("after"), query.senderAddress(), query.senderPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return arrivals.count() == 2; }));
    EXPECT_EQ(arrivals.at(0).at(0).toLongLong(), 0);
    EXPECT_EQ(wsk.GetData(), QByteArray("after"));
}

TEST_F(WskTest, AFloodLeavesTheEventLoopItsTurnAndLosesNothing) {
    ASSERT_EQ(Send({0x01}), QString());
    const QNetworkDatagram query = server.Receive();
    // As many as the endpoint's receive buffer (the system's default, as here) surely holds:
    // each small datagram is charged the whole kernel buffer it sits in (some 800 bytes today).
    const int rcvbuf =
        server.socket.socketOption(QAbstractSocket::ReceiveBufferSizeSocketOption).toInt();
    const int count = std::min(200, rcvbuf / 1536);
    for (int i = 0; i < count; ++i) {
        server.socket.writeDatagram(QByteArray::number(i), query.senderAddress(),
                                    query.senderPort());
    }
    QByteArrayList arrived;
    qsizetype arrivedAtZeroTimer = -1;
    QObject::connect(&wsk, &Wsk::DataArrival, [&] {
        arrived << wsk.GetData();
        if (arrived.size() > 1) return;
        QTimer::singleShot(0, [&] { arrivedAtZeroTimer = arrived.size(); });
    });
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return arrived.size() == count && arrivedAtZeroTimer >= 0; }));
    EXPECT_LT(arrivedAtZeroTimer, count);
    for (int i = 0; i < count; ++i) ASSERT_EQ(arrived[i], QByteArray::number(i));
}

TEST_F(WskTest, ASendThatCannotHappenReportsItsCause) {
    wsk.SetRemoteHost("not an address");
    const QString badHost = Send({0x01});
    EXPECT_TRUE(badHost.contains("not an address")) << badHost.toStdString();

    // The system refuses port 0 as a destination.
    wsk.SetRemoteHost("127.0.0.1");
    wsk.SetRemotePort(0);
    EXPECT_FALSE(Send({0x01}).isEmpty());
}

}  // namespace
}  // namespace quillet::net
