// Press-to-rows latency of a lookup against knotd on loopback, next to a bare UDP round trip
// to the same server. Run by hand: build/bench/qt/query_latency_bench [rounds]
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QUdpSocket>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/frm_main.h"
#include "dns/query_builder.h"
#include "example_zone.h"
#include "support/fake_platform.h"
#include "support/knot_server.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 500;

    quillet::testing::KnotServer server;
    if (const QString error = server.Start("example.com", kExampleZone); !error.isEmpty()) {
        std::fprintf(stderr, "knotd: %s\n", qPrintable(error));
        return 1;
    }

    // Bare round trip: the same query bytes, a blocking socket, no window.
    const quillet::dns::BuiltQuery query =
        quillet::dns::BuildDNSQuery("example.com", quillet::dns::RecordType::kMX);
    QUdpSocket bare;
    std::vector<double> bareUs;
    QElapsedTimer clock;
    for (int i = 0; i < rounds; ++i) {
        clock.start();
        bare.writeDatagram(reinterpret_cast<const char*>(query.datagram.data()),
                           static_cast<qint64>(query.datagram.size()), server.address(),
                           server.port());
        if (!bare.waitForReadyRead(2000)) {
            std::fprintf(stderr, "no reply\n");
            return 1;
        }
        bare.receiveDatagram();
        bareUs.push_back(clock.nsecsElapsed() / 1000.0);
    }

    quillet::testing::FakePlatform fake;
    quillet::app::ServerSettings settings;
    settings.servers = {server.address().toString(), server.address().toString()};
    settings.port = server.port();
    quillet::app::FrmMain window(fake.platform, settings);
    window.show();
    window.Txt_Domain->setText("example.com");
    std::vector<double> windowUs;
    for (int i = 0; i < rounds; ++i) {
        clock.start();
        window.CMD_Send->click();
        while (window.List_Show->count() == 0) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 2000);
            if (clock.elapsed() > 2000) {
                std::fprintf(stderr, "no rows\n");
                return 1;
            }
        }
        windowUs.push_back(clock.nsecsElapsed() / 1000.0);
    }

    const double bareMedian = Median(bareUs);
    const double windowMedian = Median(windowUs);
    std::printf("rounds                      %d\n", rounds);
    std::printf("bare UDP round trip median  %.1f us\n", bareMedian);
    std::printf("press-to-rows median        %.1f us\n", windowMedian);
    std::printf("difference                  %.1f us (target: under 1000 us)\n",
                windowMedian - bareMedian);
    std::printf("ratio                       %.2f\n", windowMedian / bareMedian);
    return 0;
}
