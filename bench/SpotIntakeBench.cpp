// A busy TNC: the text of 10000 spot lines through the spotting window's ProcessTNCBuffer into
// the out-of-state window with its band map shown, reported as spots per second. Once in one
// pass, once a port's read (1024 bytes) at a time, as the 333 ms ticks hand it over. The
// baseline is the same text through the plain line buffer, monitor text and column reading
// alone, without a window.
#include "BenchServices.h"
#include "app/App.h"
#include "app/Forms.h"
#include "spots/PacketSpotfrm.h"
#include "spots/SpotLine.h"
#include "spots/SpotMonitor.h"
#include "spots/TncLineBuffer.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace {

constexpr int kLines = 10000;

// Every line differs (the time field counts on), so none is dropped as a duplicate; 80
// stations spread over 20 m, so the map stays full.
QString tncText() {
    QString text;
    for (int n = 0; n < kLines; ++n) {
        const QString khz = QString::number(14000.0 + (n * 37) % 350 + 0.5, 'f', 1);
        QString l = QStringLiteral("DX de W3LPL:").leftJustified(15);
        l += khz.rightJustified(9) + QStringLiteral("  ") +
             QStringLiteral("K%1AB").arg(n % 80).leftJustified(13);
        l += QStringLiteral("CQ").leftJustified(31) +
             QStringLiteral("%1Z").arg(n % 10000, 4, 10, QLatin1Char('0')) + QStringLiteral("\r\n");
        text += l;
    }
    return text;
}

struct Fixture : qf::bench::SpottingFixture {
    Fixture() : SpottingFixture(false, QStringLiteral("TNC")) {
        spotting = &app->forms().PacketSpotfrm();
        spotting->SpotSource = QStringLiteral("TNC");
    }
    qf::PacketSpotfrm* spotting = nullptr;
};

void PlainIntakeOnly(benchmark::State& state) {
    const QString text = tncText();
    for (auto _ : state) {
        qf::TncLineBuffer buffer;
        qf::SpotMonitor monitor;
        buffer.append(text);
        int posted = 0;
        while (auto line = buffer.nextLine()) {
            if (monitor.isDuplicate(*line)) continue;
            monitor.append(*line);
            monitor.trim();
            if (qf::isSpotLine(*line) && qf::readSpotLine(*line).frequencyWhole) ++posted;
        }
        buffer.settle();
        benchmark::DoNotOptimize(posted);
    }
    state.counters["spots/s"] = benchmark::Counter(static_cast<double>(kLines),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(PlainIntakeOnly)->Iterations(3)->Unit(benchmark::kMillisecond);

// Argument: characters handed over per pass (0: the whole text at once).
void TncTextIntoTheBandMap(benchmark::State& state) {
    Fixture fx;
    const QString text = tncText();
    const qsizetype chunk = state.range(0) == 0 ? text.size() : state.range(0);
    for (auto _ : state) {
        for (qsizetype at = 0; at < text.size(); at += chunk) {
            fx.spotting->SpotLineBuffer.append(text.mid(at, chunk));
            fx.spotting->ProcessTNCBuffer();
        }
    }
    state.counters["spots/s"] = benchmark::Counter(static_cast<double>(kLines),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.counters["shown"] = static_cast<double>(fx.window->lblDX->Visible());
    state.counters["rows"] = fx.window->txtDX->count();
}
BENCHMARK(TncTextIntoTheBandMap)->Arg(0)->Arg(1024)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
