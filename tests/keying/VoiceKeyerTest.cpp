// The voice keyer: function-key messages with push-to-talk on the set clock, the F1 repeat, Esc
// and any key from the logging window, the guarantee that no line stays keyed, the boxes and
// "wave2.txt". The player is the silent double; lines go to the keying recorder.
#include "keying/PhoneFrm.h"
#include "keying/VoiceKeyer.h"
#include "keying/frmWinKey.h"
#include "logging/LoggingFixture.h"
#include "support/PtyPair.h"
#include "support/WaveFiles.h"

#include <map>

namespace qf {
namespace {

using Line = test::KeyingRecorder::Line;

class VoiceKeyerTest : public test::LoggingFixture {
  protected:
    VoiceKeyerTest() { t.app().startup().WorkingFolder = t.work(); }

    PhoneFrm& ph() { return t.app().forms().PhoneFrm(); }
    test::KeyingRecorder& rec() { return t.keying(); }
    qint64 now() const { return const_cast<test::TestApp&>(t).clock().tickMs(); }

    // A wave file of `ms` in the working folder; its full path.
    QString wave(const QString& name, int ms) {
        test::writeBytes(t.path(name), test::toneWave(ms));
        return t.path(name);
    }
    // Ports 3 and 4 on pseudo-terminals (the recorder keys only lines of open ports).
    bool mapPorts() {
        if (!test::PtyPair::socatInstalled()) return false;
        for (int n : {3, 4}) {
            ptys_.push_back(std::make_unique<test::PtyPair>());
            if (!ptys_.back()->available()) return false;
            t.serialPorts().setDevicePath(n, ptys_.back()->first());
        }
        return true;
    }
    // The settings of a line, in order: "RTS+", "DTR-", "890=3".
    QStringList lines() const {
        QStringList out;
        for (const auto& c : const_cast<test::TestApp&>(t).keying().changes()) {
            if (c.line == Line::Port) {
                out << QStringLiteral("%1=%2").arg(c.address).arg(c.value);
            } else {
                out << (c.line == Line::Rts ? QStringLiteral("RTS") : QStringLiteral("DTR")) +
                           (c.value ? QLatin1Char('+') : QLatin1Char('-'));
            }
        }
        return out;
    }
    // Every line that was ever keyed is up again.
    bool nothingKeyed() const {
        std::map<std::pair<int, int>, bool> last;
        for (const auto& c : const_cast<test::TestApp&>(t).keying().changes())
            last[{static_cast<int>(c.line), c.address}] = c.down();
        for (const auto& [line, down] : last)
            if (down) return false;
        return true;
    }
    void setup(const QString& port, OptionButton* PhoneFrm::*option, const QString& loop) {
        ph().Text10->setText(port);
        (ph().*option)->setValue(true);
        ph().txtPHLoop->setText(loop);
        ph().txtPHLoop_LostFocus();
    }

    std::vector<std::unique_ptr<test::PtyPair>> ptys_;
};

TEST_F(VoiceKeyerTest, F1RepeatsAfterItsPauseUntilAKeyInTheLoggingWindow) {
    writeLog({});
    Outfrm& w = openOut();  // phone mode
    ph().Text1->setText(wave(QStringLiteral("cq.wav"), 1000));
    setup(QStringLiteral("0"), &PhoneFrm::Option3, QStringLiteral("5"));
    EXPECT_EQ(ph().tmrRepeat->Interval(), 5000);

    const qint64 start = now();
    key(Qt::Key_F1);
    ASSERT_EQ(t.sound().sounds().size(), 1u);
    EXPECT_EQ(t.sound().sounds()[0].startMs, start);
    EXPECT_EQ(lines(), QStringList{QStringLiteral("890=3")});
    EXPECT_EQ(t.app().run().VoiceRepeatActive, 1);

    // Push-to-talk drops within one 40 ms tick of the end; the message comes again 5 s later.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const qint64 begin = t.sound().sounds().back().startMs;
        t.clock().advance(begin + 1040 - now());
        settle();
        ASSERT_EQ(rec().changes().size(), 2u * round + 2);
        const double dropped = rec().changes().back().ms;
        EXPECT_EQ(rec().changes().back().value, 2);
        EXPECT_GE(dropped, begin + 1000);
        EXPECT_LE(dropped, begin + 1040);
        t.clock().advance(static_cast<qint64>(dropped) + 5000 - now());
        settle();
        ASSERT_EQ(t.sound().sounds().size(), static_cast<size_t>(round) + 2);
        EXPECT_EQ(t.sound().sounds().back().startMs, static_cast<qint64>(dropped) + 5000);
    }

    // Any key stops the cycle; the message playing ends and drops the line.
    key(Qt::Key_A);
    EXPECT_EQ(t.app().run().VoiceRepeatActive, 0);
    EXPECT_FALSE(ph().tmrRepeat->Enabled());
    t.clock().advance(30000);
    settle();
    EXPECT_EQ(t.sound().sounds().size(), 3u);
    EXPECT_TRUE(nothingKeyed());
    EXPECT_EQ(w.txtCall->Text(), QStringLiteral("A"));
}

TEST_F(VoiceKeyerTest, KeysPathsAndPushToTalkLines) {
    if (!mapPorts()) GTEST_SKIP() << "no pseudo-terminals (socat)";
    const struct {
        const char* what;
        int key;
        const char* path;  // "*" a one-second file
        const char* port;
        OptionButton* PhoneFrm::*option;
        const char* loop;
        QStringList lines;
        size_t sounds;
        int repeatFlag;
    } cases[] = {
        {"F1, empty path, repeat set", 112, "", "0", &PhoneFrm::Option1, "5", {}, 0, 1},
        {"blank path", 113, "   ", "3", &PhoneFrm::Option1, "0", {}, 0, 0},
        {"F2 never repeats", 113, "*", "0", &PhoneFrm::Option1, "5", {}, 1, 0},
        {"F9 never repeats", 120, "*", "0", &PhoneFrm::Option1, "5", {}, 1, 0},
        {"port 0 with RTS", 112, "*", "0", &PhoneFrm::Option1, "0", {}, 1, 0},
        {"port 3 with RTS", 112, "*", "3", &PhoneFrm::Option1, "0", {"RTS+", "RTS-"}, 1, 0},
        {"port 3 with DTR", 112, "*", "3", &PhoneFrm::Option2, "0", {"DTR+", "DTR-"}, 1, 0},
        {"parallel, port 0", 112, "*", "0", &PhoneFrm::Option3, "0", {"890=3", "890=2"}, 1, 0},
        {"parallel, port 3",
         112,
         "*",
         "3",
         &PhoneFrm::Option3,
         "0",
         {"RTS+", "890=3", "RTS-", "890=2"},
         1,
         0},
        {"F10 is no voice key", 121, "*", "3", &PhoneFrm::Option3, "0", {}, 0, 0},
    };
    const QString file = wave(QStringLiteral("msg.wav"), 1000);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        rec().clear();
        t.sound().clear();
        t.app().run().VoiceRepeatActive = 0;
        for (TextBox* b : {ph().Text1, ph().Text2, ph().Text9})
            b->setText(QString::fromLatin1(c.path) == QLatin1String("*")
                           ? file
                           : QString::fromLatin1(c.path));
        setup(QString::fromLatin1(c.port), c.option, QString::fromLatin1(c.loop));
        ph().FKeyPhone(c.key);
        t.clock().advance(20000);
        settle();
        EXPECT_EQ(lines(), c.lines);
        EXPECT_EQ(t.sound().sounds().size(), c.sounds);
        EXPECT_EQ(t.app().run().VoiceRepeatActive, c.repeatFlag);
        EXPECT_FALSE(ph().Timer1->Enabled());
        EXPECT_FALSE(ph().tmrRepeat->Enabled());
    }
    EXPECT_EQ(t.beeper().count(), 0);
    EXPECT_TRUE(t.dialogs().shown().empty());
}

TEST_F(VoiceKeyerTest, NoLineStaysKeyedWhateverHappensDuringPlayback) {
    if (!mapPorts()) GTEST_SKIP() << "no pseudo-terminals (socat)";
    const QString file = wave(QStringLiteral("msg.wav"), 2000);
    const struct {
        const char* what;
        std::function<void()> before;  // before F1
        std::function<void()> during;  // 500 ms into the message
        QStringList lines;
        int beeps;
    } cases[] = {
        {"a missing file",
         [this] { ph().Text1->setText(t.path(QStringLiteral("gone.wav"))); },
         nullptr,
         {},
         1},
        {"a file that is no wave file",
         [this] {
             t.writeFile(QStringLiteral("text.wav"), "not a recording");
             ph().Text1->setText(t.path(QStringLiteral("text.wav")));
         },
         nullptr,
         {},
         1},
        {"a bad parallel address",
         [this] { ph().Text11->setText(QStringLiteral("LPT")); },
         nullptr,
         {"RTS+", "RTS-"},
         1},
        {"an address beyond the port library's range",
         [this] { ph().Text11->setText(QStringLiteral("&H7FFE")); },
         nullptr,
         {"RTS+", "RTS-"},
         1},
        {"the line option changed",
         nullptr,
         [this] { ph().Option2->setValue(true); },
         {"RTS+", "890=3", "RTS-", "890=2"},
         0},
        {"the port changed and left",
         nullptr,
         [this] {
             ph().Text10->setText(QStringLiteral("4"));
             ph().Text10_LostFocus();
         },
         {"RTS+", "890=3", "RTS-", "890=2"},
         0},
        {"the CW keyer takes the serial port",
         nullptr,
         [this] {
             t.app().forms().CWFrm().Text10->setText(QStringLiteral("3"));
             EXPECT_TRUE(t.app().forms().CWFrm().CWSetup());
         },
         {"RTS+", "890=3", "RTS-", "890=2"},
         0},
        {"the WinKey keyer opens",
         nullptr,
         [this] { t.app().forms().frmWinKey().cmdOpenWinkey_Click(); },
         {"RTS+", "890=3", "RTS-", "890=2"},
         0},
        {"the window unloaded",
         nullptr,
         [this] { ph().Unload(); },
         {"RTS+", "890=3", "RTS-", "890=2"},
         0},
        {"a new key with an empty path",
         nullptr,
         [this] { ph().FKeyPhone(114); },
         {"RTS+", "890=3", "RTS-", "890=2"},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TestApp& app = t;
        rec().clear();
        const int beeps = app.beeper().count();
        ph().Text1->setText(file);
        ph().Text11->setText(QStringLiteral("&H378"));
        setup(QStringLiteral("3"), &PhoneFrm::Option3, QStringLiteral("0"));
        if (c.before) c.before();
        ph().FKeyPhone(112);
        t.clock().advance(500);
        settle();
        if (c.during) c.during();
        t.clock().advance(3000);
        settle();
        EXPECT_EQ(lines(), c.lines);
        EXPECT_TRUE(nothingKeyed());
        EXPECT_EQ(app.beeper().count() - beeps, c.beeps);
        if (PhoneFrm* w = t.app().forms().phoneFrmSlot().peek()) {
            EXPECT_FALSE(w->PushToTalkUp());
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(VoiceKeyerTest, OnlyWhatASoundDevicePlaysKeysTheTransmitterForItsRealLength) {
    using test::waveHeader;
    const struct {
        const char* what;
        QByteArray bytes;
        qint64 ms;  // the samples' real length; -1 for no wave file
    } cases[] = {
        {"an hour at 1 Hz", waveHeader(1, 1, 8, 3600) + QByteArray(3600, '\x80'), -1},
        {"0 Hz", waveHeader(1, 0, 8, 3600) + QByteArray(3600, '\x80'), -1},
        {"4 GiB claimed, 0.1 s present",
         waveHeader(1, 8000, 16, 0xFFFFFFFFLL) + QByteArray(1600, '\0'), 100},
        {"8-bit mono at 8000 Hz", waveHeader(1, 8000, 8, 4000) + QByteArray(4000, '\x80'), 500},
        {"16-bit stereo at 44100 Hz", waveHeader(2, 44100, 16, 52920) + QByteArray(52920, '\0'),
         300},
        {"float at 48000 Hz", waveHeader(1, 48000, 32, 48000, 3) + QByteArray(48000, '\0'), 250},
    };
    setup(QStringLiteral("0"), &PhoneFrm::Option3, QStringLiteral("0"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        rec().clear();
        t.sound().clear();
        const int beeps = t.beeper().count();
        test::writeBytes(t.path(QStringLiteral("msg.wav")), c.bytes);
        ph().Text1->setText(t.path(QStringLiteral("msg.wav")));
        ph().FKeyPhone(112);
        t.clock().advance(5000);
        settle();
        if (c.ms < 0) {
            EXPECT_TRUE(lines().isEmpty());
            EXPECT_TRUE(t.sound().sounds().empty());
            EXPECT_EQ(t.beeper().count() - beeps, 1);
            continue;
        }
        ASSERT_EQ(lines(), (QStringList{QStringLiteral("890=3"), QStringLiteral("890=2")}));
        const double up = rec().changes()[1].ms - rec().changes()[0].ms;
        EXPECT_GE(up, c.ms);
        EXPECT_LE(up, c.ms + ph().Timer1->Interval());
        EXPECT_EQ(t.beeper().count(), beeps);
    }
}

TEST_F(VoiceKeyerTest, APushToTalkLineThatCannotBeRaisedPlaysNothingAndSaysSoOnce) {
    if (!mapPorts()) GTEST_SKIP() << "no pseudo-terminals (socat)";
    ph().Text1->setText(wave(QStringLiteral("msg.wav"), 1000));
    ph().Text11->setText(QStringLiteral("&H378"));
    // The hidden window is shown for the correction; the operator puts it away again.
    t.dialogs().onShown = [this](const ShownDialog&) {
        QMetaObject::invokeMethod(
            &ph(), [this] { ph().Hide(); }, Qt::QueuedConnection);
    };
    // A driver can fail after its line went up: that line is dropped like any other. A line
    // that failed is put up whether it moved or not.
    const struct {
        const char* what;
        const char* port;
        OptionButton* PhoneFrm::*option;
        int failing;  // which setting fails
        bool made;    // the failing setting moved the line before failing
        QStringList lines;
    } cases[] = {
        {"the parallel line refused", "0", &PhoneFrm::Option3, 1, false, {"890=2"}},
        {"the parallel line up, then failing",
         "0",
         &PhoneFrm::Option3,
         1,
         true,
         {"890=3", "890=2"}},
        {"DTR refused", "3", &PhoneFrm::Option2, 1, false, {"DTR-"}},
        {"RTS up, then failing", "3", &PhoneFrm::Option1, 1, true, {"RTS+", "RTS-"}},
        {"RTS up, then the parallel line up and failing",
         "3",
         &PhoneFrm::Option3,
         2,
         true,
         {"RTS+", "890=3", "RTS-", "890=2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        rec().clear();
        t.sound().clear();
        const size_t shown = t.dialogs().messages().size();
        const int beeps = t.beeper().count();
        // With a repeat pause: a message that never started must not come round again.
        setup(QString::fromLatin1(c.port), c.option, QStringLiteral("5"));
        if (c.made) {
            rec().failAfterAt(c.failing);
        } else {
            rec().failAt(c.failing);
        }
        ph().FKeyPhone(112);
        t.clock().advance(20000);
        settle();
        EXPECT_TRUE(t.sound().sounds().empty());
        EXPECT_NE(ph().MMControl1->Mode(), mci::kPlaying);
        EXPECT_EQ(lines(), c.lines);
        EXPECT_TRUE(nothingKeyed());
        EXPECT_FALSE(ph().PushToTalkUp());
        ASSERT_EQ(t.dialogs().messages().size(), shown + 1);
        EXPECT_EQ(t.dialogs().messages().back().title, QStringLiteral("Invalid port."));
        EXPECT_EQ(t.dialogs().messages().back().text,
                  QStringLiteral("The port you have selected for Phone keying is invalid.  "
                                 "Please select another or enter 0 for none."));
        EXPECT_EQ(t.beeper().count(), beeps + 1);
        EXPECT_FALSE(ph().Timer1->Enabled());
        EXPECT_FALSE(ph().tmrRepeat->Enabled());
    }
}

TEST_F(VoiceKeyerTest, EscStopsPlaybackAndTheRepeat) {
    writeLog({});
    openOut();
    ph().Text1->setText(wave(QStringLiteral("cq.wav"), 3000));
    setup(QStringLiteral("0"), &PhoneFrm::Option3, QStringLiteral("5"));
    key(Qt::Key_F1);
    t.clock().advance(400);
    settle();
    EXPECT_EQ(ph().MMControl1->Mode(), mci::kPlaying);
    EXPECT_EQ(lines(), QStringList{QStringLiteral("890=3")});
    key(Qt::Key_Escape);
    EXPECT_EQ(ph().MMControl1->Mode(), mci::kStopped);
    EXPECT_EQ(t.sound().sounds()[0].endMs, t.sound().sounds()[0].startMs + 400);
    // Released at once, not at the next tick.
    EXPECT_TRUE(nothingKeyed());
    EXPECT_FALSE(ph().PushToTalkUp());
    t.clock().advance(20000);
    settle();
    EXPECT_EQ(t.sound().sounds().size(), 1u);

    // In CW mode F1 is the CW key, and Esc no concern of the voice keyer.
    t.app().station().CurrentMode = QStringLiteral("CW");
    key(Qt::Key_F1);
    EXPECT_EQ(t.sound().sounds().size(), 1u);
}

TEST_F(VoiceKeyerTest, TheWindowFromItsHotKeyAndItsMenuItem) {
    writeLog({});
    Outfrm& w = openOut();
    EXPECT_FALSE(ph().isVisible());
    key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(ph().isVisible());
    EXPECT_FALSE(ph().isModal());
    EXPECT_TRUE(w.txtCall->Text().isEmpty());
    ph().Command1_Click();  // Done hides
    EXPECT_FALSE(ph().isVisible());
    EXPECT_TRUE(t.app().forms().phoneFrmSlot().isLoaded());

    QTimer::singleShot(0, [this] {
        EXPECT_TRUE(ph().isModal());
        ph().Command1_Click();
    });
    w.mnuVoice->action()->trigger();
    EXPECT_FALSE(ph().isVisible());
}

TEST_F(VoiceKeyerTest, BoxChecksAndBrowse) {
    // The repeat pause: up to but not including 60 seconds.
    const struct {
        const char* typed;
        const char* kept;
        int interval;
    } loops[] = {{"59.9", "59.9", 59900}, {"60", "0", 0}, {"1.2.3", "0", 0}, {"", "0", 0}};
    for (const auto& c : loops) {
        SCOPED_TRACE(c.typed);
        ph().txtPHLoop->setText(QString::fromLatin1(c.typed));
        ph().txtPHLoop_LostFocus();
        EXPECT_EQ(ph().txtPHLoop->Text(), QLatin1String(c.kept));
        EXPECT_EQ(ph().tmrRepeat->Interval(), c.interval);
    }
    // Typed keys: the pause takes digits and "."; a path and the address refuse a double quote;
    // the address is upper-cased.
    ph().txtPHLoop->setText(QString());
    QTest::keyClicks(ph().txtPHLoop, QStringLiteral("a1.5x"));
    EXPECT_EQ(ph().txtPHLoop->Text(), QStringLiteral("1.5"));
    ph().Text3->setText(QString());
    QTest::keyClicks(ph().Text3, QStringLiteral("my \"cq\".wav"));
    EXPECT_EQ(ph().Text3->Text(), QStringLiteral("my cq.wav"));
    ph().Text11->setText(QString());
    QTest::keyClicks(ph().Text11, QStringLiteral("&h3\"bc"));
    EXPECT_EQ(ph().Text11->Text(), QStringLiteral("&H3BC"));

    // A port box that holds no number becomes "0" when left, and opens nothing.
    ph().Text10->setText(QStringLiteral("abc"));
    ph().Text10_LostFocus();
    EXPECT_EQ(ph().Text10->Text(), QStringLiteral("0"));
    EXPECT_FALSE(ph().CommPhone->PortOpen());
    // A port that cannot be opened: beep, the box, and the window shown for the correction.
    ph().Text10->setText(QStringLiteral("7"));
    QTimer::singleShot(0, [this] { ph().Hide(); });
    ph().Text10_LostFocus();
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Invalid port."));
    EXPECT_EQ(t.beeper().count(), 1);

    // Browse: the chosen file; Cancel or a path with a quote beeps and keeps the box.
    t.dialogs().clearShown();
    t.dialogs().answerFile(QStringLiteral("/home/op/cq.wav"));
    ph().Command4->Click();
    EXPECT_EQ(ph().Text3->Text(), QStringLiteral("/home/op/cq.wav"));
    ASSERT_EQ(t.dialogs().shown().size(), 1u);
    EXPECT_EQ(t.dialogs().shown()[0].filter, QStringLiteral("(*.wav)|*.wav"));
    t.dialogs().answerFileCancel();
    ph().Command4->Click();
    t.dialogs().answerFile(QStringLiteral("/home/op/\"cq\".wav"));
    ph().Command4->Click();
    EXPECT_EQ(ph().Text3->Text(), QStringLiteral("/home/op/cq.wav"));
    EXPECT_EQ(t.beeper().count(), 3);
}

TEST_F(VoiceKeyerTest, DoneWritesTheSettingsFileWhole) {
    ph().Show();
    ph().Text1->setText(QStringLiteral("  /waves/cq.wav "));
    ph().Text2->setText(QStringLiteral("/waves/my call.wav"));
    ph().Text9->setText(QStringLiteral("/waves/73.wav"));
    ph().Text10->setText(QStringLiteral("3"));
    ph().Option2->setValue(true);
    ph().txtPHLoop->setText(QStringLiteral("5"));
    ph().Text11->setText(QStringLiteral("&H278"));
    ph().Command1->Click();
    EXPECT_FALSE(ph().isVisible());
    EXPECT_EQ(t.readFile(QStringLiteral("wave2.txt")),
              test::fixture(QStringLiteral("wave2-done.txt")));
    EXPECT_TRUE(t.dialogs().shown().empty());
}

}  // namespace
}  // namespace qf
