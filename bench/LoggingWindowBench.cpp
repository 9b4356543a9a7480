// Both logging windows at full contest size (11000 contacts), each against its baseline in the
// same run: one Enter that checks, stores, appends with its sync and refreshes, against one bare
// durable append of the same record in the same folder; the reload (LoadLogAndRefresh) against a
// raw open, read and close of the same file; and one UpdateRates.
#include "app/App.h"
#include "app/Forms.h"
#include "BenchServices.h"
#include "logstore/LogStore.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

using qf::LoggingWindow;

// A mixed log: contest-state stations with counties, other states and DX countries, on three
// bands and two modes, a contact a minute back from the test clock's time.
QByteArray fullLog(int contacts, bool inState) {
    static const char* counties[] = {"HEN", "AIT", "STL", "CRV", "WSH", "RAM", "DAK", "ANO"};
    static const char* states[] = {"OH", "WI", "IA", "ND", "SD", "ON", "CA", "TX"};
    static const char* countries[] = {"Germany", "Japan", "England", "Italy", "Brazil"};
    static const char* bands[] = {"20", "40", "80"};
    QByteArray data;
    const QDateTime start(QDate(2026, 6, 13), QTime(17, 0, 0), Qt::UTC);
    for (int i = 0; i < contacts; ++i) {
        qf::QSORecord q;
        q.Call = QStringLiteral("K%1AB").arg(i);
        q.NameSent = QStringLiteral("JOE");
        q.NameRcvd = QStringLiteral("BOB");
        if (!inState || i % 3 == 0) {
            q.SPC = inState ? QStringLiteral("MN") : QString();
            q.CountyRcvd = QString::fromLatin1(counties[i % 8]);
        } else if (i % 3 == 1) {
            q.SPC = QString::fromLatin1(states[i % 8]);
        } else {
            q.SPC = QString::fromLatin1(countries[i % 5]);
        }
        if (inState) q.CountySent = QStringLiteral("AIT");
        const QDateTime when = start.addSecs(-60LL * (contacts - i));
        q.QSODate = when.date().toString(QStringLiteral("yyyy/MM/dd"));
        q.QSOTime = when.time().toString(QStringLiteral("HH:mm:ss"));
        q.Mode = i % 2 ? QStringLiteral("CW") : QStringLiteral("PH");
        q.Band = QString::fromLatin1(bands[i % 3]);
        data += qf::encodeRecord(q);
    }
    return data;
}

struct Fixture {
    explicit Fixture(bool inState, int contacts) : inState(inState) {
        qf::ScriptedDialogs* dialogs = nullptr;
        qf::Services s = qf::bench::benchServices(dir.path(), &clock, &dialogs);
        dialogs->answerMessage(qf::Answer::Yes);  // "Open existing log?"
        app = std::make_unique<qf::App>(std::move(s));
        QFile county(QFileInfo(QStringLiteral(__FILE__))
                         .dir()
                         .filePath(QStringLiteral("../data/county2.txt")));
        county.open(QIODevice::ReadOnly);
        app->platform().files.rewriteAtomic(QStringLiteral("county2.txt"), county.readAll());
        app->platform().files.rewriteAtomic(QStringLiteral("log.txt"), fullLog(contacts, inState));
        qf::StationSettings& st = app->station();
        st.ContestState = QStringLiteral("MN");
        st.OutOfStateFlag = inState ? 0 : 1;
        st.OwnName = QStringLiteral("JOE");
        st.OwnCounty = QStringLiteral("AIT");
        st.CurrentBand = QStringLiteral("20");
        st.CurrentMode = QStringLiteral("CW");
        st.FormSizePercent = 100;
        st.RigModel = QStringLiteral("None");
        st.UTCOffsetHours = 5;
        if (inState) {
            window = &app->forms().Infrm();
        } else {
            window = &app->forms().Outfrm();
        }
        window->Show();
        window->cmdLogOn_Click();
        QCoreApplication::processEvents();
    }
    // One complete contact, typed into the boxes, logged by Enter.
    void enter() {
        window->txtCall->setText(QStringLiteral("W9NEW"));
        window->txtRSTR->setText(QStringLiteral("AL"));
        if (inState) {
            window->txtCntry->setText(QStringLiteral("OH"));
        } else {
            window->txtSec->setText(QStringLiteral("HEN"));
        }
        window->Mains();
    }
    QTemporaryDir dir;
    std::unique_ptr<qf::App> app;
    qf::TestClock* clock = nullptr;
    LoggingWindow* window = nullptr;
    bool inState;
};

// The baseline of Enter: the sync every stored contact costs.
void BareDurableAppend(benchmark::State& state) {
    Fixture fx(state.range(0) == 1, 10);
    const QByteArray record = qf::encodeRecord(fx.app->log()[1]);
    for (auto _ : state) fx.app->platform().files.appendDurable(QStringLiteral("sync.txt"), record);
}

void Enter(benchmark::State& state) {
    Fixture fx(state.range(0) == 1, qf::kLogCapacity - 1);
    qf::QSOLog& log = fx.app->log();
    for (auto _ : state) {
        fx.enter();
        state.PauseTiming();
        // Room for the next one: the contact just stored leaves the table again.
        if (log.QSOCount != qf::kLogCapacity) state.SkipWithError("the contact was not stored");
        --log.QSOCount;
        state.ResumeTiming();
    }
}

// The baseline of the reload: a raw open, read and close of the same file.
void RawRead(benchmark::State& state) {
    Fixture fx(state.range(0) == 1, qf::kLogCapacity);
    const QString path = fx.dir.path() + QStringLiteral("/log.txt");
    for (auto _ : state) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(f.readAll());
    }
}

void LoadLogAndRefresh(benchmark::State& state) {
    Fixture fx(state.range(0) == 1, qf::kLogCapacity);
    for (auto _ : state) fx.window->LoadLogAndRefresh();
    state.counters["contacts"] = fx.app->log().QSOCount;
}

void UpdateRates(benchmark::State& state) {
    Fixture fx(state.range(0) == 1, qf::kLogCapacity);
    for (auto _ : state) fx.window->UpdateRates();
}

// Argument 0: the out-of-state window; 1: the in-state window.
BENCHMARK(BareDurableAppend)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Enter)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RawRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadLogAndRefresh)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateRates)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
