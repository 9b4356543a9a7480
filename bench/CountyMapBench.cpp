// Painting every county of the map, against the baseline of copying the fresh picture and
// touching each of its pixels once.
#include "common/RandomSource.h"
#include "logtools/CountyMap.h"
#include "platform/Clock.h"

#include <benchmark/benchmark.h>

namespace {

void PaintAllCounties(benchmark::State& state) {
    const QImage fresh = qf::countyMapPicture();
    const std::vector<qf::MapLabel> labels = qf::countyMapLabels();
    QStringList worked;
    for (const qf::MapLabel& l : labels) worked << l.code;
    qf::SystemClock clock;
    qf::RandomSource random(clock);
    for (auto _ : state) {
        QImage img = fresh;
        benchmark::DoNotOptimize(qf::paintWorkedCounties(img, labels, worked, random));
    }
}
BENCHMARK(PaintAllCounties)->Unit(benchmark::kMillisecond);

void BaselineTouchEveryPixel(benchmark::State& state) {
    const QImage fresh = qf::countyMapPicture();
    for (auto _ : state) {
        QImage img = fresh;
        for (int y = 0; y < img.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) line[x] ^= 1;
        }
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BaselineTouchEveryPixel)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
