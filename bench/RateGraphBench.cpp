// The rate graph of a full 11000-contact log (ten hours at a steady pace over four bands):
// the window's whole drawing (the rate of every contact, gap filling, smoothing, colours,
// labels and painting into the backing image) against a baseline that only paints 1500
// segments and 1500 strip boxes into an image of the same size. Aim: under 100 ms.
#include "BenchServices.h"
#include "app/App.h"
#include "app/Forms.h"
#include "logtools/GraphQSO.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>

namespace {

using namespace qf;

struct GraphFixture {
    GraphFixture() : app(bench::benchServices(dir.path())) {
        const QDateTime start(QDate(2026, 9, 12), QTime(14, 0, 0), Qt::UTC);
        const char* bands[] = {"80", "40", "20", "15"};
        QSOLog& log = app.log();
        for (int r = 1; r <= kLogCapacity; ++r) {
            QSORecord& q = log[r];
            const QDateTime at = start.addSecs(r * 36000LL / kLogCapacity);
            q.QSODate = at.toString(QStringLiteral("yyyy/MM/dd"));
            q.QSOTime = at.toString(QStringLiteral("hh:mm:ss"));
            q.Band = QString::fromLatin1(bands[(r / 500) % 4]);
        }
        log.QSOCount = kLogCapacity;
    }
    QTemporaryDir dir;
    App app;
};

void DrawRateGraph(benchmark::State& state) {
    GraphFixture fx;
    GraphQSO& g = fx.app.forms().GraphQSO();
    for (auto _ : state) {
        g.DrawRateGraph();
        benchmark::DoNotOptimize(g.picture().constBits());
    }
    g.Unload();
}
BENCHMARK(DrawRateGraph)->Unit(benchmark::kMillisecond);

void BaselinePaintOnly(benchmark::State& state) {
    QImage image(1910, 1030, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        p.setPen(Qt::blue);
        for (int c = 1; c <= 1500; ++c)
            p.drawLine(QLineF(c * 1.2, 500 + c % 7, c * 1.2 - 1.2, 500));
        for (int c = 1; c <= 1500; ++c) {
            p.setPen(Qt::red);
            p.setBrush(Qt::red);
            p.drawRect(QRectF(c * 1.2 - 1.2, 1000, 1.2, 7));
        }
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BaselinePaintOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
