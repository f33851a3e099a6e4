#include "support/knot_server.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QNetworkDatagram>
#include <QStandardPaths>
#include <QThread>
#include <QUdpSocket>

namespace quillet::testing {
namespace {

bool WriteFile(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(text.toUtf8()) >= 0;
}

// A SOA query for the origin: knotd answers it once the zone is loaded.
QByteArray SoaQuery(const QString& origin) {
    QByteArray query = QByteArray::fromHex("abcd01000001000000000000");
    for (const QString& label : origin.split('.', Qt::SkipEmptyParts)) {
        query.append(static_cast<char>(label.size()));
        query.append(label.toLatin1());
    }
    query.append(QByteArray::fromHex("0000060001"));
    return query;
}

}  // namespace

QHostAddress ProcessLoopbackAddress() {
    // Process ids stay below 2^22 on Linux: 127.64.0.0 to 127.127.255.255, clear of the
    // 127.0.0.x addresses the tests use for other ends.
    return QHostAddress(0x7f400000u | static_cast<quint32>(QCoreApplication::applicationPid()));
}

KnotServer::~KnotServer() {
    Stop();
}

QString KnotServer::Start(const QString& origin, const QString& zoneText) {
    const QString knotd =
        QStandardPaths::findExecutable("knotd", {"/usr/sbin", "/sbin", "/usr/bin", "/bin"});
    if (knotd.isEmpty()) {
        return "knotd not found (Debian package knot)";
    }
    if (!dir_.isValid()) {
        return "no temporary directory";
    }
    const QString root = dir_.path();
    const QString zonePath = root + "/" + origin + ".zone";
    if (!WriteFile(zonePath, zoneText)) {
        return "cannot write the zone file";
    }
    // Below the ephemeral range, so no socket the system binds on its own can hold it; a
    // second server in one process takes the next one.
    static quint16 nextPort = 10053;
    port_ = nextPort++;
    const QString config =
        QString(
            "server:\n"
            "    listen: %1\n"
            "    rundir: %2\n"
            "%3"
            "database:\n"
            "    storage: %2/db\n"
            "log:\n"
            "  - target: stderr\n"
            "    any: warning\n"
            "zone:\n"
            "  - domain: %4\n"
            "    file: %5\n"
            "    storage: %2\n"
            "    zonefile-sync: -1\n"
            "    journal-content: none\n")
            .arg(address_.toString() + '@' + QString::number(port_))
            // knotd drops to its own user by default; as root keep root so it
            // can read the temporary folder.
            .arg(root, ::geteuid() == 0 ? "    user: root:root\n" : "", origin, zonePath);
    if (!WriteFile(root + "/knot.conf", config)) {
        return "cannot write the knotd configuration";
    }

    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->start(knotd, {"-c", root + "/knot.conf"});
    if (!process_->waitForStarted(5000)) {
        return "knotd did not start: " + process_->errorString();
    }

    QUdpSocket client;
    const QByteArray query = SoaQuery(origin);
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (process_->state() != QProcess::Running) {
            return "knotd stopped: " + QString::fromLocal8Bit(process_->readAll());
        }
        client.writeDatagram(query, address_, port_);
        if (client.waitForReadyRead(200)) {
            const QByteArray reply = client.receiveDatagram().data();
            // Answer count non-zero: the zone is loaded and served.
            if (reply.size() > 8 && (reply[6] != 0 || reply[7] != 0)) {
                return {};
            }
        }
        QThread::msleep(50);
    }
    return "knotd did not answer in time: " + QString::fromLocal8Bit(process_->readAll());
}

void KnotServer::Stop() {
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(5000)) {
            process_->kill();
            process_->waitForFinished(2000);
        }
    }
    process_.reset();
}

}  // namespace quillet::testing
