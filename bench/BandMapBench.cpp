// A busy cluster against each logging window (argument 0: out-of-state, 1: in-state) with its
// band map showing: 1000 spots through BandMapSpots, each one shifting the slots, redrawing the
// map and adding a list row. The second run also lets the window repaint after every spot, as
// the event loop does between spots. The baseline is the same spots into the slot table and the
// list row's texts alone, without a window.
#include "app/App.h"
#include "app/Forms.h"
#include "BenchServices.h"
#include "logging/SpotSlots.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace {

// Spot n: 80 stations spread over the band, so calls repeat and the map stays full.
QString spotCall(int n) { return QStringLiteral("K%1AB").arg(n % 80); }
QString spotKhz(int n) { return QString::number(14000.0 + (n * 37) % 350 + 0.5, 'f', 1); }
QString spotRecord(const QString& khz, const QString& call) {
    return QStringLiteral("de W3LPL:   %1  %2      CQ                       1425Z").arg(khz, call);
}

struct Fixture : qf::bench::SpottingFixture {
    explicit Fixture(bool inState) : SpottingFixture(inState, QStringLiteral("Telnet")) {}
    void spot(int n) {
        const QString call = spotCall(n);
        QString khz = spotKhz(n);
        QString record = spotRecord(khz, call);
        app->forms().Form1().BandMapSpots(call, khz, record);
        clockPtr->advance(250);
    }
};

void SlotsAndRowOnly(benchmark::State& state) {
    qf::SpotSlotTable table;
    QDateTime now(QDate(2026, 6, 13), QTime(12, 0));
    int n = 0;
    for (auto _ : state) {
        const QString call = spotCall(n);
        const QString khz = spotKhz(n++);
        const double mhz = khz.toDouble() / 1000;
        table.take(qf::cleanSpottedCall(call), static_cast<float>(mhz), now);
        benchmark::DoNotOptimize(qf::spotListRow(call, mhz, spotRecord(khz, call), QString()));
        now = now.addMSecs(250);
    }
}
BENCHMARK(SlotsAndRowOnly)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void SpotWithBandMapShown(benchmark::State& state) {
    Fixture fx(state.range(0) == 1);
    int n = 0;
    for (auto _ : state) fx.spot(n++);
    state.counters["shown"] = static_cast<double>(fx.window->lblDX->Visible());
    state.counters["rows"] = fx.window->txtDX->count();
}
BENCHMARK(SpotWithBandMapShown)->Arg(0)->Arg(1)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void SpotAndRepaint(benchmark::State& state) {
    Fixture fx(state.range(0) == 1);
    int n = 0;
    for (auto _ : state) {
        fx.spot(n++);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(SpotAndRepaint)->Arg(0)->Arg(1)->Iterations(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
