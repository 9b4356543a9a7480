// A busy cluster with the spectrum map shown beside the logging window's band map: every spot
// shifts the slots, redraws the band map, redraws all eleven scales and fifty labels of the
// spectrum map, and adds a list row with the spotted call's country. The baseline is the same
// intake with the band map alone. Then one redraw of the spectrum map with all fifty slots
// holding young spots, against the scales alone.
#include "BenchServices.h"
#include "app/App.h"
#include "app/Forms.h"
#include "spots/SpectrumMap.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace {

// Spot n: 80 stations over 20, 40 and 15 m, so calls repeat and every band keeps spots.
QString spotCall(int n) {
    return QStringLiteral("K%1AB").arg(n % 80);
}
QString spotKhz(int n) {
    static const double bases[] = {14000.0, 7000.0, 21000.0};
    return QString::number(bases[n % 3] + (n * 37) % 290 + 0.5, 'f', 1);
}

struct Fixture : qf::bench::SpottingFixture {
    explicit Fixture(bool withSpectrumMap)
        : SpottingFixture(false, QStringLiteral("Telnet"), true) {
        // Shown without its modal loop, so the benchmark keeps control; to the intake it is
        // a map on screen like any other.
        if (withSpectrumMap) app->forms().SpectrumMap().Show();
    }
    void spot(int n) {
        const QString call = spotCall(n);
        QString khz = spotKhz(n);
        QString record =
            QStringLiteral("de W3LPL:   %1  %2      CQ                       1425Z").arg(khz, call);
        app->forms().Form1().BandMapSpots(call, khz, record);
        clockPtr->advance(250);
    }
};

void SpotIntake(benchmark::State& state) {
    const bool withMap = state.range(0) == 1;
    Fixture fx(withMap);
    int n = 0;
    for (auto _ : state) fx.spot(n++);
    state.counters["spots_per_s"] = benchmark::Counter(n, benchmark::Counter::kIsRate);
    if (withMap) {
        int shown = 0;
        for (qf::Label* l : fx.app->forms().SpectrumMap().lblDXSpot) shown += l->Visible();
        state.counters["map_labels"] = shown;
    }
}
BENCHMARK(SpotIntake)
    ->ArgName("spectrum_map")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1000)
    ->Unit(benchmark::kMicrosecond);

void FullMapRedraw(benchmark::State& state) {
    Fixture fx(true);
    for (int n = 0; n < 50; ++n) fx.spot(n);
    qf::SpectrumMap& map = fx.app->forms().SpectrumMap();
    const bool labels = state.range(0) == 1;
    for (auto _ : state) {
        if (labels) {
            map.BandMapLabelDisplay();
        } else {
            map.DrawBandScales();
        }
    }
    int shown = 0;
    for (qf::Label* l : map.lblDXSpot) shown += l->Visible();
    state.counters["labels_shown"] = shown;
}
BENCHMARK(FullMapRedraw)
    ->ArgName("labels")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
