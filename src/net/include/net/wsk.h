#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QUdpSocket>
#include <cstdint>
#include <span>

namespace quillet::net {

// The window's UDP endpoint. Only a datagram from the address and port that the last query
// went to is handed on: anyone else on the network could otherwise put rows in the list.
class Wsk : public QObject {
    Q_OBJECT

public:
    enum class Protocol { Udp };

    // At most maxDatagramBytes of each datagram are read: what the decoder takes.
    explicit Wsk(qint64 maxDatagramBytes, QObject* parent = nullptr);

    void SetProtocol(Protocol protocol);
    void SetRemoteHost(const QString& host);
    void SetRemotePort(quint16 port);
    QString RemoteHost() const { return remoteHost_; }
    quint16 RemotePort() const { return remotePort_; }

    // Sends one datagram to the remote host and port. Returns an empty text on success,
    // otherwise the cause as the system (or the address parser) gives it.
    [[nodiscard]] QString SendData(std::span<const std::uint8_t> datagram);

    // The datagram that the last DataArrival announced, at most maxDatagramBytes of it.
    QByteArray GetData() const { return arrived_; }

    // Counts for the curious (and the flood tests): datagrams dropped for a wrong sender.
    std::uint64_t DroppedCount() const { return dropped_; }

signals:
    void DataArrival(qint64 bytesTotal);

private:
    // Datagrams read at one wake-up before the event loop gets its turn. A sender faster than
    // the reader would keep a read-until-empty loop going for ever; what is left is reported
    // again once the event loop has had its turn, typing and painting included. (Read only
    // when the socket reports: it reports again only after a read.)
    static constexpr int kDatagramsPerWakeUp = 32;

    void ReadPending();
    [[nodiscard]] bool FromServer(const QHostAddress& sender, quint16 port) const;

    const qint64 maxDatagramBytes_;
    QUdpSocket socket_;
    QString remoteHost_;
    quint16 remotePort_ = 0;
    QHostAddress lastDestination_;
    quint16 lastDestinationPort_ = 0;
    bool sentOnce_ = false;
    QByteArray arrived_;
    std::uint64_t dropped_ = 0;
};

}  // namespace quillet::net
