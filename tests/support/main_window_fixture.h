#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QTest>
#include <QUdpSocket>
#include <memory>

#include "app/frm_main.h"
#include "support/drain_events.h"
#include "support/fake_platform.h"

namespace quillet::testing {

// The reply to an A query for example.com with one answer, 192.0.2.<last>.
inline QByteArray ExampleAReply(quint8 last) {
    QByteArray reply = QByteArray::fromHex(
        "000081800001000100000000076578616d706c6503636f6d0000010001c00c000100010000"
        "0e100004c00002");
    reply.append(static_cast<char>(last));
    return reply;
}

// The main window wired to a server on 127.0.0.1 instead of the presets, with fake
// desktop seams.
class MainWindowTest : public ::testing::Test {
protected:
    void OpenWindow(quint16 port, const QString& server = QStringLiteral("127.0.0.1")) {
        app::ServerSettings settings;
        settings.servers = {"127.0.0.2", server, "127.0.0.3", "127.0.0.4"};
        settings.port = port;
        window = std::make_unique<app::FrmMain>(fake.platform, settings);
        window->show();
    }

    void Query(const QString& domain, const QString& type) {
        window->Comb_Sel->setCurrentText(type);
        window->Txt_Domain->setText(domain);
        QTest::keyClick(window->Txt_Domain, Qt::Key_Return);
    }

    QStringList Rows() const {
        QStringList rows;
        for (int i = 0; i < window->List_Show->count(); ++i) {
            rows << window->List_Show->item(i)->text();
        }
        return rows;
    }

    FakePlatform fake;
    std::unique_ptr<app::FrmMain> window;
};

// The window against a plain socket on loopback that stands in for the DNS server, so a
// test can see every datagram the window sends and answer it by hand.
class LoopbackServerWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.bind(QHostAddress::LocalHost, 0));
        OpenWindow(server.localPort());
    }

    QByteArray NextQuery() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.hasPendingDatagrams(); }));
        last = server.receiveDatagram();
        return last.data();
    }
    bool NothingSent() {
        // A send reaches loopback before the call that makes it returns, so once what is
        // queued has run, a datagram not waiting on the socket was never sent.
        DrainEvents();
        return !server.hasPendingDatagrams();
    }
    void Answer(const QByteArray& reply) {
        server.writeDatagram(reply, last.senderAddress(), last.senderPort());
    }

    QUdpSocket server;
    QNetworkDatagram last;  // the query NextQuery received last
};

}  // namespace quillet::testing
