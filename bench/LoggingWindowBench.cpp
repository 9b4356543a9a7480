// Both logging windows at full contest size (11000 contacts), each against its baseline in the
// same run: one Enter that checks, stores, appends with its sync and refreshes, against one bare
// durable append of the same record in the same folder; the reload (LoadLogAndRefresh) against a
// raw open, read and close of the same file; one UpdateRates; and one character typed into the
// call box (the possible-dupes scan of the whole log and, in the in-state window, the prefix
// lookup), against the same key typed into a bare line edit.
//
// The paired benchmarks (ReloadVsRawRead, KeyInCallBox, EnterVsSync, MemoryFullLog) take both
// sides in one loop, interleaved, so a busy machine slows both alike; each prints its ratio or
// its margin as counters (times in ms).
#include "BenchServices.h"
#include "app/App.h"
#include "app/Forms.h"
#include "logging/CountryLookup.h"
#include "logstore/LogStore.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
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

// A log as a contest leaves it: about 2500 stations, most worked again on other bands and modes
// or from another county (rovers send several), in-state stations with counties beside other
// states and DX, six bands, three modes, a contact every 30 seconds.
QByteArray realisticLog(int contacts, bool inState) {
    static const char* counties[] = {"HEN", "AIT", "STL", "CRV", "WSH", "RAM", "DAK", "ANO",
                                     "LAK", "COO", "ITA", "BEL", "POL", "OTT", "WIN", "MOW"};
    static const char* states[] = {"OH", "WI", "IA", "ND", "SD", "ON", "CA", "TX", "IL", "MI"};
    static const char* countries[] = {"Germany", "Japan", "England", "Italy", "Brazil", "Spain"};
    static const char* bands[] = {"80", "40", "40", "20", "20", "20", "15", "10"};
    static const char* modes[] = {"CW", "CW", "PH", "PH", "PH", "DG"};
    static const char* names[] = {"BOB", "SUE", "JIM", "ANN", "TOM", "KAY", "ED", "LIZ"};
    std::mt19937 g(2026);
    QByteArray data;
    const QDateTime start(QDate(2026, 6, 13), QTime(17, 0, 0), Qt::UTC);
    for (int i = 0; i < contacts; ++i) {
        qf::QSORecord q;
        const unsigned station = g() % 2500;
        q.Call = QStringLiteral("%1%2%3")
                     .arg(QLatin1String(station % 3 == 0   ? "K"
                                        : station % 3 == 1 ? "W"
                                                           : "KD"))
                     .arg(station % 10)
                     .arg(QString::number(station / 10 + 36 * 36, 36).toUpper());
        q.NameSent = QStringLiteral("JOE");
        q.NameRcvd = QString::fromLatin1(names[station % 8]);
        const unsigned kind = station % 10;
        if (!inState || kind < 5) {
            q.SPC = inState ? QStringLiteral("MN") : QString();
            // A rover among them sends another county now and then.
            q.CountyRcvd =
                QString::fromLatin1(counties[(station + (station % 17 == 0 ? g() % 3 : 0)) % 16]);
        } else if (kind < 8) {
            q.SPC = QString::fromLatin1(states[station % 10]);
        } else {
            q.SPC = QString::fromLatin1(countries[station % 6]);
        }
        // This station roves too, through three counties.
        if (inState) q.CountySent = QString::fromLatin1(counties[1 + i * 3 / contacts]);
        const QDateTime when = start.addSecs(-30LL * (contacts - i));
        q.QSODate = when.date().toString(QStringLiteral("yyyy/MM/dd"));
        q.QSOTime = when.time().toString(QStringLiteral("HH:mm:ss"));
        q.Mode = QString::fromLatin1(modes[g() % 6]);
        q.Band = QString::fromLatin1(bands[g() % 8]);
        if (g() % 4 != 0)
            q.Frequency =
                QStringLiteral("%1.500").arg(q.Band == QLatin1String("20") ? 14025 : 7030);
        data += qf::encodeRecord(q);
    }
    return data;
}

struct Fixture {
    explicit Fixture(bool inState, int contacts, bool realistic = false) : inState(inState) {
        qf::ScriptedDialogs* dialogs = nullptr;
        qf::Services s = qf::bench::benchServices(dir.path(), &clock, &dialogs);
        dialogs->answerMessage(qf::Answer::Yes);  // "Open existing log?"
        app = std::make_unique<qf::App>(std::move(s));
        for (const char* name : {"county2.txt", "arrlpre2.txt"}) {
            QFile shipped(QFileInfo(QStringLiteral(__FILE__))
                              .dir()
                              .filePath(QStringLiteral("../data/") + QLatin1String(name)));
            shipped.open(QIODevice::ReadOnly);
            app->platform().files.rewriteAtomic(QLatin1String(name), shipped.readAll());
        }
        app->startup().WorkingFolder = dir.path();
        qf::LoadPrefixTable(app->tables().prefixes, app->startup(), app->platform().files);
        app->platform().files.rewriteAtomic(
            QStringLiteral("log.txt"),
            realistic ? realisticLog(contacts, inState) : fullLog(contacts, inState));
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
    // One complete contact in the boxes, as typed, with the log list as it stood before: the
    // list shows the newest 20 contacts, so Enter takes the path that inserts one row.
    void type() {
        window->FillLogList();
        window->txtCall->setText(QStringLiteral("W9NEW"));
        window->txtRSTR->setText(QStringLiteral("AL"));
        if (inState) {
            window->txtCntry->setText(QStringLiteral("OH"));
        } else {
            window->txtSec->setText(QStringLiteral("HEN"));
        }
    }
    // Enter in the county box, as the keyboard sends it.
    void pressEnter() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(window->txtSec, &press);
        QCoreApplication::sendEvent(window->txtSec, &release);
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
        state.PauseTiming();
        fx.type();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        fx.pressEnter();
        QCoreApplication::processEvents();
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

// A key press and release as the keyboard sends them.
void typeKey(QWidget* box, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &press);
    QCoreApplication::sendEvent(box, &release);
}

// The baseline of a typed character: the same key into a line edit with nothing attached.
void BareLineEditKey(benchmark::State& state) {
    QLineEdit box;
    for (auto _ : state) {
        state.PauseTiming();
        box.setText(QStringLiteral("W9N"));
        box.setCursorPosition(3);
        state.ResumeTiming();
        typeKey(&box, Qt::Key_E, QStringLiteral("E"));
    }
}

// The fourth character of a call that no logged call begins with, so the possible-dupes scan
// walks the whole log.
void CallBoxKey(benchmark::State& state) {
    Fixture fx(state.range(0) == 1, qf::kLogCapacity);
    qf::TextBox* box = fx.window->txtCall;
    box->SetFocus();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        box->setText(QStringLiteral("W9N"));
        box->setSelStart(3);
        state.ResumeTiming();
        typeKey(box, Qt::Key_E, QStringLiteral("E"));
    }
    if (box->Text() != QStringLiteral("W9NE")) state.SkipWithError("the key was not typed");
}

// The in-state prefix lookup alone, for a call in a crowded block of the table.
void CountryLookupAlone(benchmark::State& state) {
    Fixture fx(true, 10);
    const qf::PrefixTable& table = fx.app->tables().prefixes;
    for (auto _ : state)
        benchmark::DoNotOptimize(qf::CountryLookup(table, QStringLiteral("PY2ABC")));
}

using Clock = std::chrono::steady_clock;
double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}
double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

// A raw open, read and close with plain system calls.
qint64 rawRead(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    static std::vector<char> buf(4 << 20);
    qint64 total = 0;
    for (ssize_t n; (n = ::read(fd, buf.data(), buf.size())) > 0;) total += n;
    ::close(fd);
    return total;
}

// Second argument, what happened before each reload, on a log as a contest leaves it: 0 nothing
// (a band or mode change); 1 the operator edited a contact, as the edit dialog does, and the
// program rewrote the whole file (each round another row and another field: a name, a county, a
// band, a mode, a call); 2 another program changed a contact in the file, so every record must be
// read again. Each reload is paired with a raw read of the same file in the same round.
void ReloadVsRawRead(benchmark::State& state) {
    Fixture fx(state.range(0) == 1, qf::kLogCapacity, true);
    const QByteArray path = QFile::encodeName(fx.dir.path() + QStringLiteral("/log.txt"));
    const int before = static_cast<int>(state.range(1));
    qf::QSOLog& log = fx.app->log();
    std::mt19937 g(7);
    std::vector<double> reload, raw;
    int round = 0;
    for (auto _ : state) {
        const int row = 1 + static_cast<int>(g() % static_cast<unsigned>(log.QSOCount));
        if (before == 1) {
            qf::QSORecord& q = log[row];
            switch (round++ % 5) {
                case 0:
                    q.NameRcvd = QStringLiteral("ED%1").arg(round % 10);
                    break;
                case 1:
                    q.CountyRcvd = q.CountyRcvd == QLatin1String("HEN") ? QStringLiteral("AIT")
                                                                        : QStringLiteral("HEN");
                    break;
                case 2:
                    q.Band =
                        q.Band == QLatin1String("40") ? QStringLiteral("20") : QStringLiteral("40");
                    break;
                case 3:
                    q.Mode =
                        q.Mode == QLatin1String("CW") ? QStringLiteral("PH") : QStringLiteral("CW");
                    break;
                default:
                    q.Call = QStringLiteral("N%1ED").arg(round % 100);
                    break;
            }
            fx.app->logStore().RewriteLog();
        } else if (before == 2) {
            QFile f(QString::fromLocal8Bit(path));
            f.open(QIODevice::ReadWrite);
            QByteArray data = f.readAll();
            qsizetype at = 0;
            for (int k = 1; k < row; ++k) at = data.indexOf('\n', at) + 1;
            at = data.indexOf("\",\"", at) + 3;  // the own name of that contact
            data[at] = data[at] == 'J' ? 'T' : 'J';
            f.seek(0);
            f.write(data);
        }
        auto t = Clock::now();
        benchmark::DoNotOptimize(rawRead(path));
        raw.push_back(msSince(t));
        t = Clock::now();
        fx.window->LoadLogAndRefresh();
        const double r = msSince(t);
        reload.push_back(r);
        state.SetIterationTime(r / 1000);
    }
    state.counters["contacts"] = fx.app->log().QSOCount;
    state.counters["reload_min"] = percentile(reload, 0);
    state.counters["reload_med"] = percentile(reload, 0.5);
    state.counters["raw_min"] = percentile(raw, 0);
    state.counters["raw_med"] = percentile(raw, 0.5);
    state.counters["ratio_min"] = percentile(reload, 0) / percentile(raw, 0);
    state.counters["ratio_med"] = percentile(reload, 0.5) / percentile(raw, 0.5);
}

// One key in the call box, sent to the box as the operator's key, then the repaint the event
// loop does before the next one. Calls are typed over and over on a full log.
void KeyInCallBox(benchmark::State& state) {
    Fixture fx(state.range(0) == 1, qf::kLogCapacity - 1);
    QWidget* box = fx.window->txtCall;
    fx.window->activateWindow();
    fx.window->txtCall->setFocus();
    QCoreApplication::processEvents();
    const QString words[] = {QStringLiteral("K12AB"), QStringLiteral("W9NEW"), QStringLiteral("K7"),
                             QStringLiteral("KD0XYZ"), QStringLiteral("N5")};
    std::vector<double> handling, repaint;
    size_t w = 0;
    int c = 0;
    for (auto _ : state) {
        const QString& word = words[w];
        const QChar ch = word[c];
        QKeyEvent press(QEvent::KeyPress, ch.unicode(), Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, ch.unicode(), Qt::NoModifier, QString(ch));
        auto t = Clock::now();
        QCoreApplication::sendEvent(box, &press);
        QCoreApplication::sendEvent(box, &release);
        const double h = msSince(t);
        t = Clock::now();
        QCoreApplication::processEvents();
        repaint.push_back(msSince(t));
        handling.push_back(h);
        state.SetIterationTime(h / 1000);
        if (++c == word.size()) {
            state.PauseTiming();
            c = 0;
            w = (w + 1) % std::size(words);
            fx.window->txtCall->setText(QString());
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
    }
    state.counters["key_med"] = percentile(handling, 0.5);
    state.counters["key_p90"] = percentile(handling, 0.9);
    state.counters["repaint_med"] = percentile(repaint, 0.5);
    state.counters["repaint_p90"] = percentile(repaint, 0.9);
    state.counters["possible_dupes_len"] = fx.window->lblDupe->Caption().size();
}

// One Enter, against one bare durable append of a record of the same size in the same folder.
// The handler and the event-loop run after it (the paint of what it changed) are timed apart.
void EnterVsSync(benchmark::State& state) {
    Fixture fx(state.range(0) == 1, qf::kLogCapacity - 1);
    qf::QSOLog& log = fx.app->log();
    fx.window->activateWindow();
    std::vector<double> enter, paint, sync, over;
    QByteArray record;
    for (auto _ : state) {
        state.PauseTiming();
        fx.type();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        auto t = Clock::now();
        fx.pressEnter();
        const double e = msSince(t);
        t = Clock::now();
        QCoreApplication::processEvents();
        paint.push_back(msSince(t));
        if (log.QSOCount != qf::kLogCapacity) state.SkipWithError("the contact was not stored");
        if (record.isEmpty()) record = qf::encodeRecord(log[log.QSOCount]);
        t = Clock::now();
        fx.app->platform().files.appendDurable(QStringLiteral("sync.txt"), record);
        sync.push_back(msSince(t));
        enter.push_back(e);
        // Each Enter beside the sync taken right after it: a busy disk slows both alike.
        over.push_back(e - sync.back());
        state.SetIterationTime(e / 1000);
        // Room for the next one: the contact just stored leaves the table again.
        --log.QSOCount;
    }
    state.counters["enter_med"] = percentile(enter, 0.5);
    state.counters["enter_p90"] = percentile(enter, 0.9);
    state.counters["paint_med"] = percentile(paint, 0.5);
    state.counters["sync_med"] = percentile(sync, 0.5);
    state.counters["sync_p90"] = percentile(sync, 0.9);
    state.counters["over_sync_med"] = percentile(enter, 0.5) - percentile(sync, 0.5);
    state.counters["over_sync_min"] = percentile(enter, 0) - percentile(sync, 0);
    state.counters["over_own_sync_med"] = percentile(over, 0.5);
    state.counters["enter_paint_med"] = percentile(enter, 0.5) + percentile(paint, 0.5);
}

// The heap in use and the resident size with the window open on a full log, against the same
// window on an empty log in the same process.
void MemoryFullLog(benchmark::State& state) {
    // In use in the arena and in blocks mapped on their own: the allocator maps a large block by
    // itself until a freed one raises its threshold, so the arena alone counts the same table
    // once it is freed and made again, and not the first time.
    const auto heapMB = [] {
        const struct mallinfo2 m = mallinfo2();
        return static_cast<double>(m.uordblks + m.hblkhd) / (1 << 20);
    };
    const auto rssMB = [] {
        QFile f(QStringLiteral("/proc/self/status"));
        f.open(QIODevice::ReadOnly);
        for (const QByteArray& line : f.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').front().toDouble() / 1024;
        }
        return 0.0;
    };
    double empty = 0, full = 0, rss = 0, base = 0, after = 0;
    for (auto _ : state) {
        {
            Fixture fx(state.range(0) == 1, 0);
            QCoreApplication::processEvents();
            empty = heapMB();
        }
        base = heapMB();
        {
            Fixture fx(state.range(0) == 1, qf::kLogCapacity);
            QCoreApplication::processEvents();
            full = heapMB();
            rss = rssMB();
        }
        after = heapMB();
    }
    state.counters["heap_empty_MB"] = empty;
    state.counters["heap_full_MB"] = full;
    state.counters["log_MB"] = full - empty;
    state.counters["rss_MB"] = rss;
    // What the full log's App left allocated once it was gone, beside the empty one's.
    state.counters["kept_after_MB"] = after - base;
}

// Argument 0: the out-of-state window; 1: the in-state window.
BENCHMARK(MemoryFullLog)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ReloadVsRawRead)
    ->ArgsProduct({{0, 1}, {0, 1, 2}})
    ->Iterations(60)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(KeyInCallBox)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(600)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(EnterVsSync)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(300)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BareDurableAppend)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Enter)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RawRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadLogAndRefresh)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateRates)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BareLineEditKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(CallBoxKey)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(CountryLookupAlone)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
