#include "net/wsk.h"

#include <QNetworkDatagram>

#include "texts/qt_texts.h"

namespace quillet::net {

Wsk::Wsk(qint64 maxDatagramBytes, QObject* parent)
    : QObject(parent), maxDatagramBytes_(maxDatagramBytes) {
    connect(&socket_, &QUdpSocket::readyRead, this, &Wsk::ReadPending);
}

void Wsk::SetProtocol(Protocol) {
    // UDP is the only protocol this endpoint speaks; the call exists so start-up reads as
    // the sequence it is.
}

void Wsk::SetRemoteHost(const QString& host) {
    remoteHost_ = host;
}

void Wsk::SetRemotePort(quint16 port) {
    remotePort_ = port;
}

QString Wsk::SendData(std::span<const std::uint8_t> datagram) {
    QHostAddress destination;
    if (!destination.setAddress(remoteHost_)) {
        return ToQString(texts::kBadServerAddress) + remoteHost_;
    }
    const qint64 written =
        socket_.writeDatagram(reinterpret_cast<const char*>(datagram.data()),
                              static_cast<qint64>(datagram.size()), destination, remotePort_);
    if (written != static_cast<qint64>(datagram.size())) {
        const QString cause = socket_.errorString();
        return cause.isEmpty() ? ToQString(texts::kSendFailed) : cause;
    }
    lastDestination_ = destination;
    lastDestinationPort_ = remotePort_;
    sentOnce_ = true;
    return {};
}

bool Wsk::FromServer(const QHostAddress& sender, quint16 port) const {
    if (!sentOnce_ || port != lastDestinationPort_) {
        return false;
    }
    // A dual-stack socket reports IPv4 senders as ::ffff:a.b.c.d.
    return sender.isEqual(lastDestination_, QHostAddress::TolerantConversion);
}

void Wsk::ReadPending() {
    for (int i = 0; i < kDatagramsPerWakeUp && socket_.hasPendingDatagrams(); ++i) {
        // Reading at most what the decoder takes keeps a flood of large datagrams cheap; the
        // rest of each datagram is discarded by the system.
        const QNetworkDatagram datagram = socket_.receiveDatagram(maxDatagramBytes_);
        if (!FromServer(datagram.senderAddress(), static_cast<quint16>(datagram.senderPort()))) {
            ++dropped_;
            continue;
        }
        arrived_ = datagram.data();
        emit DataArrival(arrived_.size());
    }
}

}  // namespace quillet::net
