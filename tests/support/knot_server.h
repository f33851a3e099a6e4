#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace quillet::testing {

// A real authoritative DNS server (knotd) on 127.0.0.1 at a free high port, serving one zone
// that the test writes. Stopped when the object goes.
class KnotServer {
public:
    KnotServer() = default;
    ~KnotServer();
    KnotServer(const KnotServer&) = delete;
    KnotServer& operator=(const KnotServer&) = delete;

    // Starts knotd with `zoneText` as the zone `origin` (e.g. "example.com"). Returns an
    // empty text once the server answers, else what went wrong.
    QString Start(const QString& origin, const QString& zoneText);
    void Stop();

    quint16 port() const { return port_; }

private:
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> process_;
    quint16 port_ = 0;
};

// A UDP port on 127.0.0.1 that nothing listens on right now.
quint16 FreeLoopbackPort();

}  // namespace quillet::testing
