// The log store at full contest size, against the files service's plain read of the same
// 11000-contact log.txt: a reload of the file as the last load left it (read, hash, compare), a
// load of a file another program changed (every record read again), and one contact's append
// with its sync.
#include "BenchServices.h"
#include "app/App.h"
#include "common/QuotedFieldLine.h"
#include "logstore/LogStore.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray fullLog() {
    QByteArray data;
    for (int i = 0; i < qf::kLogCapacity; ++i) {
        qf::QSORecord q;
        q.Call = QStringLiteral("K%1ABC").arg(i);
        q.NameSent = QStringLiteral("JOHN");
        q.NameRcvd = QStringLiteral("BOB");
        q.CountyRcvd = QStringLiteral("HEN");
        q.QSODate = QStringLiteral("2026/09/12");
        q.QSOTime = QStringLiteral("14:02:33");
        q.Mode = QStringLiteral("CW");
        q.Band = QStringLiteral("20");
        q.Frequency = QStringLiteral("14025.500");
        data += qf::encodeRecord(q);
    }
    return data;
}

struct Fixture {
    Fixture() {
        app = std::make_unique<qf::App>(qf::bench::benchServices(dir.path()));
        QFile f(dir.path() + QStringLiteral("/log.txt"));
        f.open(QIODevice::WriteOnly);
        f.write(fullLog());
    }
    QTemporaryDir dir;
    std::unique_ptr<qf::App> app;
};

void PlainRead(benchmark::State& state) {
    Fixture fx;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fx.app->platform().files.readAll(QStringLiteral("log.txt")));
    }
}
BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond);

void ReloadUnchanged(benchmark::State& state) {
    Fixture fx;
    for (auto _ : state) {
        fx.app->logStore().LoadLog();
        benchmark::DoNotOptimize(fx.app->log().QSOCount);
    }
    state.counters["contacts"] = fx.app->log().QSOCount;
}
BENCHMARK(ReloadUnchanged)->Unit(benchmark::kMillisecond);

// The first contact's name changed in the file between loads, its size kept, so the last load's
// record of the file no longer holds and every line is read.
void LoadChangedFile(benchmark::State& state) {
    Fixture fx;
    fx.app->logStore().LoadLog();
    QFile f(fx.dir.path() + QStringLiteral("/log.txt"));
    f.open(QIODevice::ReadWrite);
    const qint64 at = f.readAll().indexOf("\"BOB\"") + 1;
    char letter = 'C';  // never back to "BOB", which would read as no change at the end
    for (auto _ : state) {
        state.PauseTiming();
        f.seek(at);
        f.write(&letter, 1);
        f.flush();
        letter = letter == 'Z' ? 'C' : static_cast<char>(letter + 1);
        state.ResumeTiming();
        fx.app->logStore().LoadLog();
        benchmark::DoNotOptimize(fx.app->log().QSOCount);
    }
    if (fx.app->log()[1].NameRcvd == QStringLiteral("BOB"))
        state.SkipWithError("no change was read");
}
BENCHMARK(LoadChangedFile)->Unit(benchmark::kMillisecond);

void AppendRecord(benchmark::State& state) {
    Fixture fx;
    fx.app->logStore().LoadLog();
    for (auto _ : state) {
        // Append the same last row again; the file grows, the log in memory does not.
        benchmark::DoNotOptimize(fx.app->logStore().AppendRecord());
    }
}
BENCHMARK(AppendRecord)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
