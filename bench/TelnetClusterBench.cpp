// A busy Telnet cluster into the out-of-state logging window with its band map shown: 5000
// spot lines sent over a loopback socket in pieces cut at random places (mid-line and
// mid-column), read by the spotting window's Telnet source, joined into lines, parsed and
// posted. The baseline is the same 5000 spots handed straight to the logging window's
// BandMapSpots, with no socket, no line joining and no monitor box. The line assembler alone is
// measured too, over the same feed with talk lines and prompts in it, cut the same way.
#include "BenchServices.h"
#include "app/App.h"
#include "app/Forms.h"
#include "spots/TelnetCluster.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <random>
#include <vector>

namespace {

constexpr int kSpots = 5000;

// Runs events until the condition holds, at most ms milliseconds.
template <class F>
bool waitFor(F condition, int ms) {
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

QString spotCall(int n) {
    return QStringLiteral("K%1AB").arg(n % 80);
}
QString spotKhz(int n) {
    return QString::number(14000.0 + (n * 37) % 350 + 0.5, 'f', 1);
}
// Frequency in columns 16-24, call in columns 27-39, as a cluster sends it.
QString spotLine(int n) {
    return QStringLiteral("DX de W3LPL:").leftJustified(15, QLatin1Char(' ')) +
           spotKhz(n).rightJustified(9, QLatin1Char(' ')) + QStringLiteral("  ") +
           spotCall(n).leftJustified(13, QLatin1Char(' ')) +
           QStringLiteral(" CQ                       1425Z\r\n");
}

struct Fixture : qf::bench::SpottingFixture {
    Fixture() : SpottingFixture(false, QStringLiteral("Telnet")) {
        app->forms().PacketSpotfrm().List1_Click();
    }
    // The spotting window connected to a cluster of our own on 127.0.0.1.
    bool connect() {
        if (!server.listen(QHostAddress::LocalHost)) return false;
        qf::PacketSpotfrm& spotting = app->forms().PacketSpotfrm();
        spotting.txtTelnetHost->setText(QStringLiteral("127.0.0.1"));
        spotting.txtTelnetPort->setText(QString::number(server.serverPort()));
        spotting.Command1_Click();
        if (!waitFor([&] { return server.hasPendingConnections(); }, 5000)) return false;
        peer = server.nextPendingConnection();
        return waitFor([&] { return spotting.Winsock1->State() == qf::TcpClient::sckConnected; },
                       5000);
    }
    const qf::SpotSlot& newest() { return app->spots()[qf::SpotSlotTable::kSlots - 1]; }

    QTcpServer server;
    QTcpSocket* peer = nullptr;
};

void BaselineBandMapSpotsOnly(benchmark::State& state) {
    Fixture fx;
    for (auto _ : state) {
        for (int n = 0; n < kSpots; ++n) {
            const QString call = spotCall(n);
            QString khz = spotKhz(n);
            QString record = spotLine(n).mid(3).trimmed();
            fx.app->forms().Form1().BandMapSpots(call, khz, record);
        }
    }
    state.counters["spots_per_s"] =
        benchmark::Counter(double(kSpots) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BaselineBandMapSpotsOnly)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void TelnetSpotsOverLoopback(benchmark::State& state) {
    Fixture fx;
    if (!fx.connect()) {
        state.SkipWithError("no loopback cluster");
        return;
    }
    // The whole feed, with one closing spot of a call of its own to wait for.
    QString feed;
    for (int n = 0; n < kSpots - 1; ++n) feed += spotLine(n);
    feed += spotLine(0).replace(QStringLiteral("K0AB  "), QStringLiteral("ZZ9END"));
    const QByteArray bytes = feed.toLatin1();
    std::mt19937 random(28);
    std::uniform_int_distribution<int> cut(1, 400);
    qint64 pieces = 0;
    for (auto _ : state) {
        for (qsizetype at = 0; at < bytes.size();) {
            const qsizetype n = std::min<qsizetype>(cut(random), bytes.size() - at);
            fx.peer->write(bytes.mid(at, n));
            fx.peer->flush();
            at += n;
            ++pieces;
            QCoreApplication::processEvents();
        }
        if (!waitFor([&] { return fx.newest().SpotCall == QStringLiteral("ZZ9END"); }, 10000)) {
            state.SkipWithError("the closing spot never arrived");
            return;
        }
        state.PauseTiming();
        fx.app->spots()[qf::SpotSlotTable::kSlots - 1].SpotCall.clear();
        state.ResumeTiming();
    }
    state.counters["spots_per_s"] =
        benchmark::Counter(double(kSpots) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["pieces"] = double(pieces) / state.iterations();
}
BENCHMARK(TelnetSpotsOverLoopback)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// Only the joining of arrivals into lines: every tenth line is talk, every hundredth spot is
// preceded by a prompt without a line end, as a busy node sends them.
void TelnetLineAssemblerOnly(benchmark::State& state) {
    QString feed;
    for (int n = 0; n < kSpots; ++n) {
        if (n % 10 == 0) feed += QStringLiteral("To ALL de N1XX: qsy up, dx is loud here\r\n");
        if (n % 100 == 0) feed += QStringLiteral("W9XYZ de NODE 11-Dec-2026 1200Z dxspider >");
        feed += spotLine(n);
    }
    std::mt19937 random(28);
    std::uniform_int_distribution<int> cut(1, 400);
    std::vector<QString> arrivals;
    for (qsizetype at = 0; at < feed.size();) {
        const qsizetype n = std::min<qsizetype>(cut(random), feed.size() - at);
        arrivals.push_back(feed.mid(at, n));
        at += n;
    }
    qsizetype lines = 0;
    for (auto _ : state) {
        qf::TelnetLineAssembler assembler;
        for (const QString& arrival : arrivals) lines += assembler.add(arrival).size();
    }
    benchmark::DoNotOptimize(lines);
    state.SetBytesProcessed(qint64(feed.size()) * state.iterations());
}
BENCHMARK(TelnetLineAssemblerOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
