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
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// Spot n: 80 stations over 20, 40 and 15 m, so calls repeat and every band keeps spots.
QString spotCall(int n) {
    return QStringLiteral("K%1AB").arg(n % 80);
}
QString spotKhz(int n) {
    static const double bases[] = {14000.0, 7000.0, 21000.0};
    return QString::number(bases[n % 3] + (n * 37) % 290 + 0.5, 'f', 1);
}

QByteArray dataFile(const char* name) {
    QFile f(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../data/")) +
            QLatin1String(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

struct Fixture {
    explicit Fixture(bool withSpectrumMap) {
        qf::ScriptedDialogs* dialogs = nullptr;
        qf::Services s = qf::bench::benchServices(dir.path(), &clockPtr, &dialogs);
        dialogs->answerMessage(qf::Answer::Yes);  // "Open existing log?"
        app = std::make_unique<qf::App>(std::move(s));
        qf::Files& files = app->platform().files;
        files.rewriteAtomic(QStringLiteral("county2.txt"), dataFile("county2.txt"));
        files.rewriteAtomic(QStringLiteral("arrlpre2.txt"), dataFile("arrlpre2.txt"));
        files.rewriteAtomic(QStringLiteral("log.txt"), QByteArray());
        app->startup().WorkingFolder = dir.path();
        qf::LoadPrefixTable(app->tables().prefixes, app->startup(), files);
        qf::StationSettings& st = app->station();
        st.ContestState = QStringLiteral("MN");
        st.OutOfStateFlag = 1;
        st.CurrentBand = QStringLiteral("20");
        st.CurrentMode = QStringLiteral("CW");
        st.FormSizePercent = 100;
        st.RigModel = QStringLiteral("None");
        window = &app->forms().Outfrm();
        window->Show();
        qf::PacketSpotfrm& spotting = app->forms().PacketSpotfrm();
        spotting.List1->setListIndex(spotting.List1->find(QStringLiteral("Telnet")));
        spotting.OptBand->setValue(true);
        app->forms().Form1().PacketResize();
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
    QTemporaryDir dir;
    std::unique_ptr<qf::App> app;
    qf::TestClock* clockPtr = nullptr;
    qf::Outfrm* window = nullptr;
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
