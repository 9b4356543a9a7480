// The real wave player through a real sound server: the test starts its own PulseAudio with a
// null sink in a temporary folder, plays a tone of known length through Qt Multimedia, and
// records the sink's monitor to show that sound of about that length came out. This program
// is its own test entry, so the server it names is the first one Qt's audio connects to.
#include "platform/Clock.h"
#include "platform/WavePlayer.h"
#include "support/WaveFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace qf {
namespace {

class SoundServer {
  public:
    SoundServer() {
        if (!dir_.isValid()) {
            why("no temporary folder");
            return;
        }
        const QString pulse = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        const QString pactl = QStandardPaths::findExecutable(QStringLiteral("pactl"));
        if (pulse.isEmpty() || pactl.isEmpty()) {
            why("pulseaudio or pactl is not installed");
            return;
        }
        QDir(dir_.path()).mkdir(QStringLiteral("run"));
        QFile::setPermissions(dir_.path() + QStringLiteral("/run"), QFileDevice::ReadOwner |
                                                                        QFileDevice::WriteOwner |
                                                                        QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir_.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.path() + QStringLiteral("/run"));
        server_.setProcessEnvironment(env);
        env.insert(QStringLiteral("PULSE_SERVER"), address());
        recorder_.setProcessEnvironment(env);
        server_.setStandardOutputFile(dir_.path() + QStringLiteral("/server.log"));
        server_.setStandardErrorFile(dir_.path() + QStringLiteral("/server.log"));
        server_.start(
            pulse,
            {QStringLiteral("--daemonize=no"), QStringLiteral("-n"),
             QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
             QStringLiteral("-L"),
             QStringLiteral("module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socket()),
             QStringLiteral("-L"),
             QStringLiteral("module-null-sink sink_name=quillfen rate=8000 channels=1")});
        if (!server_.waitForStarted(5000)) {
            why("the sound server did not start");
            return;
        }
        // Up when it answers, within ten seconds, unless it has ended.
        (void)QTest::qWaitFor(
            [&] {
                QProcess probe;
                probe.start(pactl, {QStringLiteral("-s"), address(), QStringLiteral("info")});
                ready_ = probe.waitForFinished(2000) && probe.exitCode() == 0;
                return ready_ || server_.state() == QProcess::NotRunning;
            },
            10000);
        if (ready_) return;
        QFile log(dir_.path() + QStringLiteral("/server.log"));
        log.open(QIODevice::ReadOnly);
        why("the sound server did not come up: " + QString::fromLocal8Bit(log.readAll()).left(400));
    }
    ~SoundServer() {
        for (QProcess* p : {&recorder_, &server_}) {
            if (p->state() == QProcess::NotRunning) continue;
            p->terminate();
            if (!p->waitForFinished(3000)) {
                p->kill();
                p->waitForFinished(3000);
            }
        }
    }

    bool ready() const { return ready_; }
    const QString& reason() const { return reason_; }
    QString socket() const { return dir_.path() + QStringLiteral("/native"); }
    QString address() const { return QStringLiteral("unix:") + socket(); }
    QString path(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }

    // Records the sink's monitor as raw 16-bit mono samples at 8000 Hz.
    bool startRecording() {
        const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
        if (parec.isEmpty()) return false;
        recorder_.setStandardOutputFile(path(QStringLiteral("monitor.raw")));
        recorder_.setStandardErrorFile(path(QStringLiteral("parec.log")));
        recorder_.start(parec,
                        {QStringLiteral("-s"), address(), QStringLiteral("-d"),
                         QStringLiteral("quillfen.monitor"), QStringLiteral("--raw"),
                         QStringLiteral("--format=s16le"), QStringLiteral("--rate=8000"),
                         QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20")});
        return recorder_.waitForStarted(5000);
    }
    qint64 recordedBytes() const { return QFileInfo(path(QStringLiteral("monitor.raw"))).size(); }
    // What the recorder has written so far.
    QByteArray recorded() const {
        QFile f(path(QStringLiteral("monitor.raw")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QByteArray stopRecording() {
        recorder_.terminate();
        recorder_.waitForFinished(3000);
        QFile f(path(QStringLiteral("monitor.raw")));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

  private:
    void why(const QString& text) { reason_ = text; }
    QTemporaryDir dir_;
    QProcess server_, recorder_;
    bool ready_ = false;
    QString reason_;
};

// Whether each 10 ms step of the recording is clearly above silence.
std::vector<bool> soundingSteps(const QByteArray& raw) {
    const auto* s = reinterpret_cast<const qint16*>(raw.constData());
    const qsizetype n = raw.size() / 2;
    std::vector<bool> steps;
    for (qsizetype i = 0; i + 80 <= n; i += 80) {
        double sum = 0;
        for (int k = 0; k < 80; ++k) sum += double(s[i + k]) * s[i + k];
        steps.push_back(std::sqrt(sum / 80) > 0.1 * 32767);
    }
    return steps;
}

// Milliseconds of the recording, in 10 ms steps, whose level is clearly above silence.
int soundingMs(const QByteArray& raw) {
    const std::vector<bool> steps = soundingSteps(raw);
    return 10 * static_cast<int>(std::count(steps.begin(), steps.end(), true));
}

// Whether the recording runs on for at least ms past its first sound.
bool recordedPastFirstSound(const QByteArray& raw, int ms) {
    const std::vector<bool> steps = soundingSteps(raw);
    const auto first = std::find(steps.begin(), steps.end(), true);
    return first != steps.end() && 10 * (steps.end() - first) >= ms;
}

TEST(RealWavePlayer, ATonePlaysThroughTheSoundServerForItsLength) {
    SoundServer server;
    if (!server.ready()) GTEST_SKIP() << server.reason().toStdString();
    qputenv("PULSE_SERVER", server.address().toUtf8());
    ASSERT_TRUE(server.startRecording());
    // Played once the recorder delivers, which takes it a moment to begin.
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.recordedBytes() > 0; }, 10000));

    const QString tone = server.path(QStringLiteral("tone.wav"));
    test::writeBytes(tone, test::toneWave(1000, 440, 8000, 0.5));
    SystemClock clock;
    QtWavePlayers players(clock);
    auto player = players.create();
    player->DeviceType = QStringLiteral("WaveAudio");
    player->FileName = tone;
    player->setCommand(QStringLiteral("Open"));
    EXPECT_EQ(player->Length(), 1000);
    const qint64 start = clock.tickMs();
    player->setCommand(QStringLiteral("play"));
    EXPECT_EQ(player->Mode(), mci::kPlaying);
    // The mode follows the clock alone; the events let the sound reach the server meanwhile.
    EXPECT_TRUE(QTest::qWaitFor([&] { return player->Mode() != mci::kPlaying; }, 5000));
    const qint64 played = clock.tickMs() - start;
    EXPECT_GE(played, 1000);
    EXPECT_LT(played, 1500);
    // What the server still holds comes out: the recording reaches well past the tone's end.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return recordedPastFirstSound(server.recorded(), 1000 + 300); }, 10000));
    player->setCommand(QStringLiteral("Close"));
    EXPECT_EQ(player->Mode(), mci::kNotOpen);

    const QByteArray recorded = server.stopRecording();
    ASSERT_GT(recorded.size(), 8000);  // at least half a second was recorded
    const int heard = soundingMs(recorded);
    EXPECT_GE(heard, 800) << "recorded " << recorded.size() / 16 << " ms";
    EXPECT_LE(heard, 1200);
}

}  // namespace
}  // namespace qf
