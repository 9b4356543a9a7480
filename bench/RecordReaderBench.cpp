// Reading record files: the 19-value log record, the widest record the program reads, at the
// size of a full log.
#include "common/QuotedFieldLine.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray fullLog(int records) {
    qf::RecordWriter w;
    for (int i = 0; i < records; ++i) {
        w.text(QStringLiteral("K%1ABC").arg(i % 10)).text(QStringLiteral("JOHN"));
        w.text(QStringLiteral("BOB")).text(QString()).text(QStringLiteral("HEN"));
        for (int k = 0; k < 6; ++k) w.text(QString());
        w.text(QStringLiteral("2026/09/12")).text(QStringLiteral("14:02:33"));
        w.text(QStringLiteral("CW")).text(QStringLiteral("20")).number(0);
        w.text(QString()).text(QString()).text(QStringLiteral("14025.500")).endRecord();
    }
    return w.data();
}

void ReadFullLog(benchmark::State& state) {
    const QByteArray data = fullLog(11000);
    for (auto _ : state) {
        qf::RecordReader r(data);
        int n = 0;
        while (!r.atEnd()) {
            for (int v = 0; v < 15; ++v) benchmark::DoNotOptimize(r.readText());
            benchmark::DoNotOptimize(r.readDouble());
            for (int v = 0; v < 3; ++v) benchmark::DoNotOptimize(r.readText());
            ++n;
        }
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * data.size());
}
BENCHMARK(ReadFullLog)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
