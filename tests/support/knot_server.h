#pragma once

#include <QHostAddress>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <utility>

namespace quillet::testing {

// A loopback address of this process's own, made from its process id.
QHostAddress ProcessLoopbackAddress();

// A real authoritative DNS server (knotd) on a loopback address, serving one zone that the
// test writes. Stopped when the object goes.
class KnotServer {
public:
    // Test processes side by side (ctest -j) each serve on an address of their own, so one
    // knotd can never find its port taken by another's.
    explicit KnotServer(QHostAddress address = ProcessLoopbackAddress())
        : address_(std::move(address)) {}
    ~KnotServer();
    KnotServer(const KnotServer&) = delete;
    KnotServer& operator=(const KnotServer&) = delete;

    // Starts knotd with `zoneText` as the zone `origin` (e.g. "example.com"). Returns an
    // empty text once the server answers, else what went wrong.
    QString Start(const QString& origin, const QString& zoneText);
    void Stop();

    const QHostAddress& address() const { return address_; }
    quint16 port() const { return port_; }

private:
    const QHostAddress address_;
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> process_;
    quint16 port_ = 0;
};

}  // namespace quillet::testing
