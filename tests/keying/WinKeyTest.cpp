// The WinKey window and driver against the keyer emulator on a real pseudo-terminal pair: the
// open and its failures, the settings it sends, its boxes, "WK.txt", and the send loop on the
// set clock.
#include "app/Forms.h"
#include "keying/CWFrm.h"
#include "keying/frmWinKey.h"
#include "support/TestApp.h"
#include "support/WinKeyEmulator.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTest>

#include <functional>

namespace qf {
namespace {

constexpr int kPort = 7;

QByteArray wire(std::initializer_list<int> bytes) {
    QByteArray out;
    for (int b : bytes) out.append(char(b));
    return out;
}

class WinKeyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test::PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
        ASSERT_TRUE(emu.available());
        t.serialPorts().setDevicePath(kPort, emu.programEnd());
        t.app().startup().DataFolder = t.root() + QStringLiteral("/data");
        QDir().mkpath(t.app().startup().DataFolder);
    }
    frmWinKey& w() { return t.app().forms().frmWinKey(); }
    RunState& run() { return t.app().run(); }
    void openOnPort(int port = kPort) {
        w().txtWKComPort->setText(QString::number(port));
        w().txtWKComPort_LostFocus();
        w().cmdOpenWinkey_Click();
    }
    // Opens the keyer and forgets what that put on the wire.
    void openQuietly() {
        openOnPort();
        ASSERT_EQ(run().WinKeyVersion, 23);
        ASSERT_TRUE(emu.waitForBytes(18));
        emu.clear();
        t.winKey().calls.clear();
        t.winKey().times.clear();
    }
    // Makes the keyer report the flags and waits until the driver has taken them in.
    void keyerSays(quint8 flags) {
        emu.setStatus(flags);
        EXPECT_TRUE(QTest::qWaitFor([&] { return t.winKey().wk_getstatus() == flags; }, 3000));
        emu.clear();
    }

    test::WinKeyEmulator emu;  // outlives the program's port
    test::TestApp t;
};

TEST_F(WinKeyTest, AnOpenEchoesOpensHostModeAndSendsEverySettingInOrder) {
    openOnPort();
    EXPECT_EQ(w().lblOpenStatus->Caption(), QStringLiteral("WK Success!"));
    EXPECT_EQ(w().lblVersion->Caption(), QStringLiteral("Version # 23"));
    EXPECT_EQ(run().WinKeyVersion, 23);
    EXPECT_TRUE(t.dialogs().messages().empty());
    // Echo test, host open, then speed (the CW window's 13), weight, lead-in with tail, ratio,
    // pin configuration and mode.
    const QByteArray expected = wire(
        {0x00, 0x04, 0x55, 0x00, 0x02, 0x02, 13, 0x03, 50, 0x04, 0, 0, 0x17, 50, 0x09, 6, 0x0E, 0});
    ASSERT_TRUE(emu.waitForBytes(expected.size()));
    EXPECT_EQ(emu.received(), expected);

    // A second open is refused by the driver and sends nothing.
    w().lblVersion->setCaption(QStringLiteral("kept"));
    w().cmdOpenWinkey_Click();
    EXPECT_EQ(w().lblOpenStatus->Caption(), QStringLiteral("WK Already Open"));
    EXPECT_EQ(w().lblVersion->Caption(), QStringLiteral("kept"));
    EXPECT_TRUE(t.dialogs().messages().empty());
    EXPECT_FALSE(emu.waitForBytes(expected.size() + 1, 200));

    w().cmdCloseWinkey_Click();
    EXPECT_EQ(w().lblOpenStatus->Caption(), QStringLiteral("Closed"));
    EXPECT_EQ(w().lblVersion->Caption(), QStringLiteral("Version #"));
    EXPECT_EQ(run().WinKeyVersion, 0);
    ASSERT_TRUE(emu.waitForBytes(expected.size() + 2));
    EXPECT_EQ(emu.received().right(2), wire({0x00, 0x03}));
}

TEST_F(WinKeyTest, FailedOpensShowTheirStatusAndSendNoSettings) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        int port;
        const char* status;
        int wireBytes;  // what the attempt itself put on the wire
    };
    const Case cases[] = {
        {"no echo", [&] { emu.setEcho(test::WinKeyEmulator::Echo::None); }, kPort,
         "No Echo Response", 3},
        {"wrong echo", [&] { emu.setEcho(test::WinKeyEmulator::Echo::Wrong); }, kPort,
         "Echo Mismatch", 3},
        {"no version", [&] { emu.setAnswersOpen(false); }, kPort, "No Open Response", 5},
        {"no such port", [] {}, 9, "Com Open Failed", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        emu.setEcho(test::WinKeyEmulator::Echo::Right);
        emu.setAnswersOpen(true);
        c.arrange();
        emu.clear();
        t.winKey().calls.clear();
        const size_t shown = t.dialogs().messages().size();
        openOnPort(c.port);
        EXPECT_EQ(w().lblOpenStatus->Caption(), QString::fromLatin1(c.status));
        EXPECT_EQ(w().lblVersion->Caption(), QStringLiteral("Version #"));
        EXPECT_EQ(run().WinKeyVersion, 0);
        ASSERT_EQ(t.dialogs().messages().size(), shown + 1);
        const auto m = t.dialogs().messages().back();
        EXPECT_EQ(m.title, QStringLiteral("Unable to establish connection with Winkey."));
        EXPECT_EQ(m.text, QStringLiteral("Unable to establish connection with WinKey on com port "
                                         "%1.  Please check to make sure that you have specified "
                                         "the correct port and that the Winkey device is properly "
                                         "connected.")
                              .arg(c.port));
        // The settings calls are still made; with no keyer open they send nothing.
        EXPECT_TRUE(t.winKey().calls.contains(QStringLiteral("wk_setmode(0)")));
        EXPECT_FALSE(emu.waitForBytes(c.wireBytes + 1, 150));
    }

    // A code the window has no text for leaves the label as it was.
    t.winKey().scriptedOpen = std::make_pair(-7, quint8(0));
    w().cmdOpenWinkey_Click();
    EXPECT_EQ(w().lblOpenStatus->Caption(), QStringLiteral("Com Open Failed"));
}

TEST_F(WinKeyTest, LeavingABoxSendsItsValueOrCorrectsIt) {
    struct Case {
        TextBox* frmWinKey::*box;
        const char* text;
        TextBox* frmWinKey::*other;  // set first, when not null
        const char* otherText;
        const char* after;
        const char* sent;  // the call made, or "" for none
    };
    const Case cases[] = {
        {&frmWinKey::txtRatio, "31", nullptr, "", "31", ""},
        {&frmWinKey::txtRatio, "32", nullptr, "", "32", "wk_ditdah_ratio(32)"},
        {&frmWinKey::txtRatio, "67", nullptr, "", "67", "wk_ditdah_ratio(67)"},
        {&frmWinKey::txtRatio, "68", nullptr, "", "68", ""},
        {&frmWinKey::txtRatio, "", nullptr, "", "50", ""},
        {&frmWinKey::txtWKWPM, "150", nullptr, "", "150", ""},
        {&frmWinKey::txtWKWPM, "", nullptr, "", "18", ""},
        {&frmWinKey::txtWKWPM, "25", nullptr, "", "25", "wk_wpm(25)"},
        {&frmWinKey::txtWeight, "", nullptr, "", "50", ""},
        {&frmWinKey::txtLeadIn, "5", &frmWinKey::txtTail, "", "0", ""},
        {&frmWinKey::txtTail, "", &frmWinKey::txtLeadIn, "5", "0", ""},
        {&frmWinKey::txtLeadIn, "300", &frmWinKey::txtTail, "0", "0", ""},
        {&frmWinKey::txtLeadIn, "3", &frmWinKey::txtTail, "12", "3", "wk_ptt_leadtail(3,12)"},
    };
    frmWinKey& f = w();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " -> " + c.after);
        if (c.other) (f.*c.other)->setText(QString::fromLatin1(c.otherText));
        TextBox* box = f.*c.box;
        box->setText(QString::fromLatin1(c.text));
        t.winKey().calls.clear();
        if (box == f.txtRatio) f.txtRatio_LostFocus();
        if (box == f.txtWKWPM) f.txtWKWPM_LostFocus();
        if (box == f.txtWeight) f.txtWeight_LostFocus();
        if (box == f.txtLeadIn) f.txtLeadIn_LostFocus();
        if (box == f.txtTail) f.txtTail_LostFocus();
        EXPECT_EQ(box->Text(), QString::fromLatin1(c.after));
        const QStringList expected =
            *c.sent ? QStringList{QString::fromLatin1(c.sent)} : QStringList{};
        EXPECT_EQ(t.winKey().calls, expected);
    }

    // A port above 255 is no port, though the box keeps it; Done writes 0.
    run().WinKeyPort = 5;
    f.txtWKComPort->setText(QStringLiteral("300"));
    f.txtWKComPort_LostFocus();
    EXPECT_EQ(run().WinKeyPort, 0);
    EXPECT_EQ(f.txtWKComPort->Text(), QStringLiteral("300"));
    f.txtWKComPort->setText(QStringLiteral("x"));
    f.txtWKComPort_LostFocus();
    EXPECT_EQ(f.txtWKComPort->Text(), QStringLiteral("0"));
}

// A value typed into a box and the button beside it clicked at once, before the event loop comes
// round: the box's LostFocus has committed the value by the time the button's Click reads it.
TEST_F(WinKeyTest, AButtonClickedRightAfterTypingSeesWhatWasTyped) {
    CWFrm& cw = t.app().forms().CWFrm();
    struct Case {
        const char* name;
        Form* window;
        TextBox* box;
        const char* typed;
        CommandButton* button;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"keyer port, then Open", &w(), w().txtWKComPort, "7", w().cmdOpenWinkey,
         [&] {
             EXPECT_EQ(w().lblOpenStatus->Caption(), QStringLiteral("WK Success!"));
             EXPECT_EQ(run().WinKeyVersion, 23);
         }},
        // The box turns the lone sign into 0 on leaving, and More counts on from there.
        {"CW word space, then More", &cw, cw.txtSpace, "-", cw.Command6,
         [&] { EXPECT_EQ(cw.txtSpace->Text(), QStringLiteral("1")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.window->Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(c.window));
        c.box->SetFocus();
        QCoreApplication::processEvents();
        c.box->SelectAllText();
        QTest::keyClicks(c.box, QString::fromLatin1(c.typed));
        QTest::mouseClick(c.button, Qt::LeftButton);
        c.check();
    }
}

TEST_F(WinKeyTest, DoneWritesTheSettingsFileWhole) {
    frmWinKey& f = w();
    f.txtWKComPort->setText(QStringLiteral("5"));
    f.txtWKComPort_LostFocus();
    f.txtWKWPM->setText(QStringLiteral("150"));
    f.optPTT->setValue(true);
    f.optBug->setValue(true);
    f.Show();
    f.cmdDone_Click();
    EXPECT_TRUE(f.isHidden());
    EXPECT_EQ(t.readFile(t.app().startup().DataFolder + QStringLiteral("/WK.txt")),
              QByteArray("5\r\n\"150\"\r\n\"50\"\r\n\"0\"\r\n\"0\"\r\n\"50\"\r\n5\r\n48\r\n"));

    // A Done that cannot write hides the window all the same, and the old file stays.
    t.files().setFault([](Files::Op, const QString&) {
        throw Error(75, QStringLiteral("Path/File access error"));
    });
    f.Show();
    f.txtWeight->setText(QStringLiteral("60"));
    f.cmdDone_Click();
    EXPECT_TRUE(f.isHidden());
    t.files().setFault({});
    EXPECT_TRUE(
        t.readFile(t.app().startup().DataFolder + QStringLiteral("/WK.txt")).contains("\"50\""));
}

TEST_F(WinKeyTest, TheLoadReadsShortAndOddSettingsFiles) {
    struct Case {
        const char* file;
        quint8 pin, mode;
        OptionButton* frmWinKey::*pinOption;
        OptionButton* frmWinKey::*modeOption;
    };
    const Case cases[] = {
        // Six lines: the design pin configuration and mode.
        {"3\r\n\"40\"\r\n\"55\"\r\n\"2\"\r\n\"4\"\r\n\"45\"\r\n", 6, 0, &frmWinKey::optTone,
         &frmWinKey::optIambicB},
        {"3\r\n\"40\"\r\n\"55\"\r\n\"2\"\r\n\"4\"\r\n\"45\"\r\n8\r\n32\r\n", 8, 32,
         &frmWinKey::optKey5Out3Off, &frmWinKey::optUltimatic},
        // A pin value of no option selects none: "Tone" stays, and 7 is what the keyer gets.
        {"3\r\n\"40\"\r\n\"55\"\r\n\"2\"\r\n\"4\"\r\n\"45\"\r\n7\r\n", 7, 0, &frmWinKey::optTone,
         &frmWinKey::optIambicB},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        test::TestApp fresh;
        fresh.app().startup().DataFolder = fresh.root();
        fresh.writeFile(fresh.root() + QStringLiteral("/WK.txt"), QByteArray(c.file));
        frmWinKey& f = fresh.app().forms().frmWinKey();
        EXPECT_EQ(fresh.app().run().WinKeyPort, 3);
        EXPECT_EQ(f.txtWKComPort->Text(), QStringLiteral("3"));
        EXPECT_EQ(f.txtWKWPM->Text(), QStringLiteral("13"));  // the CW window's speed
        EXPECT_EQ(f.txtWeight->Text(), QStringLiteral("55"));
        EXPECT_EQ(f.txtRatio->Text(), QStringLiteral("45"));
        EXPECT_EQ(fresh.app().run().WinKeyPinConfig, c.pin);
        EXPECT_EQ(fresh.app().run().WinKeyMode, c.mode);
        EXPECT_TRUE((f.*c.pinOption)->Value());
        EXPECT_TRUE((f.*c.modeOption)->Value());
        fresh.winKey().scriptedOpen = std::make_pair(0, quint8(23));
        f.cmdOpenWinkey_Click();
        EXPECT_TRUE(fresh.winKey().calls.contains(QStringLiteral("wk_pincfg(%1)").arg(c.pin)));
    }
}

TEST_F(WinKeyTest, TheStoredWinKeyOptionLoadsTheWindowAtTheSetupLoad) {
    t.writeFile(t.app().startup().DataFolder + QStringLiteral("/WK.txt"),
                QByteArray("4\r\n\"18\"\r\n\"61\"\r\n\"0\"\r\n\"0\"\r\n\"50\"\r\n"));
    QByteArray cw;
    for (int i = 0; i < 9; ++i) cw += "\"\"\r\n";
    cw += "\"0\"\r\n\"22\"\r\n\"\"\r\n\"\"\r\n\"0\"\r\n5\r\n\"&H378\"\r\n1\r\n\"0\"\r\n";
    // What the setup window's load hands the CW window from "cw.txt".
    t.app().forms().CWFrm().LoadCWSettings(cw);
    ASSERT_NE(t.app().forms().winKeySlot().peek(), nullptr);
    frmWinKey& f = *t.app().forms().winKeySlot().peek();
    EXPECT_TRUE(f.isHidden());
    EXPECT_TRUE(t.app().forms().CWFrm().cmdConfWinkey->Visible());
    EXPECT_EQ(f.txtWeight->Text(), QStringLiteral("61"));
    EXPECT_EQ(f.txtWKWPM->Text(), QStringLiteral("22"));
    EXPECT_EQ(run().WinKeyPort, 4);
}

TEST_F(WinKeyTest, TheSendLoopWaitsWhileTheKeyerSaysXoffAndSpacesItsCharacters) {
    openQuietly();
    keyerSays(5);
    emu.holdXoff(3);
    run().CWSendBuffer = QStringLiteral("AB");
    w().WKTransmit();
    EXPECT_TRUE(run().CWSendBuffer.isEmpty());
    // Three status requests answered with XOFF, the fourth idle, and only then the characters.
    ASSERT_TRUE(emu.waitForBytes(6));
    EXPECT_EQ(emu.received(), wire({0x15, 0x15, 0x15, 0x15, 'A', 'B'}));
    const auto& times = t.winKey().times;
    ASSERT_EQ(t.winKey().calls,
              (QStringList{QStringLiteral("wk_char(65)"), QStringLiteral("wk_char(66)")}));
    EXPECT_GE(times[1] - times[0], 10);
}

TEST_F(WinKeyTest, StopClearsTheKeyerAndEndsTheLoop) {
    openQuietly();
    keyerSays(5);  // and it stays nearly full
    w().Show();
    QMetaObject::invokeMethod(
        &w(), [&] { w().cmdStop->Press(); }, Qt::QueuedConnection);
    run().CWSendBuffer = QStringLiteral("CQ CQ CQ");
    w().WKTransmit();
    EXPECT_TRUE(run().CWSendBuffer.isEmpty());
    ASSERT_TRUE(emu.waitForBytes(2));
    const QByteArray got = emu.received();
    EXPECT_TRUE(got.contains(char(0x0A))) << got.toHex().constData();
    EXPECT_FALSE(got.contains('C'));
}

// The operator's one word on a keyer that stopped answering.
const char* const kNotAnswering = "WinKey not answering.";

int notAnsweringBoxes(test::TestApp& t) {
    int n = 0;
    for (const ShownDialog& d : t.dialogs().messages())
        if (d.title == QLatin1String(kNotAnswering)) ++n;
    return n;
}

TEST_F(WinKeyTest, AKeyerThatFallsSilentWhileFullGetsNoMoreTextYetReadsBusyUntilItAnswersAgain) {
    openQuietly();
    keyerSays(5);
    emu.fallSilent();
    const qint64 start = t.clock().tickMs();
    run().CWSendBuffer = QStringLiteral("TU");
    w().WKTransmit();
    const qint64 took = t.clock().tickMs() - start;
    EXPECT_GE(took, 2000);
    EXPECT_LE(took, 2100);
    EXPECT_TRUE(run().CWSendBuffer.isEmpty());
    // One unanswered request, then the message is dropped and the keyer told to clear.
    ASSERT_TRUE(emu.waitForBytes(2));
    EXPECT_FALSE(emu.waitForBytes(3, 150));
    EXPECT_EQ(emu.received(), wire({0x15, 0x0A}));

    // Its status is unknown, not idle: it may still be keying what it holds. The operator hears
    // of it once, however often it is read.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(w().PollStatus(), 4);
    EXPECT_FALSE(t.winKey().answering());
    EXPECT_EQ(notAnsweringBoxes(t), 1);
    EXPECT_EQ(t.beeper().count(), 1);
    // It is asked again every 2 s, without a wait.
    emu.clear();
    t.clock().advance(SerialWinKeyDriver::kSilentMs);
    EXPECT_EQ(w().PollStatus(), 4);
    ASSERT_TRUE(emu.waitForBytes(1));
    EXPECT_EQ(emu.received(), wire({0x15}));

    // Heard again: its word counts, and a later silence is told again.
    emu.answerAgain();
    keyerSays(5);
    EXPECT_TRUE(t.winKey().answering());
    EXPECT_EQ(w().PollStatus(), 5);
    emu.fallSilent();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            t.clock().advance(100);
            return w().PollStatus() == 4;
        },
        5000));
    EXPECT_EQ(notAnsweringBoxes(t), 2);
    EXPECT_EQ(t.beeper().count(), 2);
}

TEST_F(WinKeyTest, AKeyerThatFallsSilentMidMessageGetsNoMoreOfIt) {
    openQuietly();
    for (const quint8 flags : {quint8(4), quint8(5)}) {  // keying, or its buffer full as well
        SCOPED_TRACE(int(flags));
        emu.answerAgain();
        keyerSays(0);
        const int boxes = notAnsweringBoxes(t);
        // As the second character goes out, the keyer has said how it is, and it says nothing
        // more.
        int chars = 0;
        t.winKey().beforeCall = [&](const QString& call) {
            if (!call.startsWith(QLatin1String("wk_char")) || ++chars != 2) return;
            EXPECT_TRUE(QTest::qWaitFor([&] { return t.winKey().wk_getstatus() == 0; }, 3000));
            emu.setStatus(flags);
            EXPECT_TRUE(QTest::qWaitFor([&] { return t.winKey().wk_getstatus() == flags; }, 3000));
            emu.fallSilent();
        };
        run().CWSendBuffer = QStringLiteral("CQ TEST");
        w().WKTransmit();
        t.winKey().beforeCall = {};
        EXPECT_TRUE(run().CWSendBuffer.isEmpty());
        // The status requests aside: the two characters, then the clear-buffer command.
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return emu.textAndCommands() == QByteArray("CQ\x0A"); }, 3000))
            << emu.received().toHex().constData();
        EXPECT_EQ(notAnsweringBoxes(t), boxes + 1);
    }
}

TEST_F(WinKeyTest, AKeyerWhosePortGoesAwayReadsBusyAndIsToldOnce) {
    openQuietly();
    emu.unplug();
    run().CWSendBuffer = QStringLiteral("TU");
    w().WKTransmit();
    EXPECT_TRUE(run().CWSendBuffer.isEmpty());
    EXPECT_EQ(w().PollStatus(), 4);
    EXPECT_FALSE(t.winKey().answering());
    const ShownDialog box = t.dialogs().messages().back();
    EXPECT_EQ(box.title, QLatin1String(kNotAnswering));
    EXPECT_EQ(box.text,
              QStringLiteral("The WinKey on com port 7 has stopped answering.  Nothing more is "
                             "sent to it, and it has been told to clear its buffer; check that "
                             "the Winkey device is properly connected."));
    EXPECT_EQ(notAnsweringBoxes(t), 1);
    EXPECT_EQ(t.beeper().count(), 1);
}

TEST_F(WinKeyTest, AKeyerSentTextThatSaysNothingForTwoSecondsHasStoppedAnswering) {
    openQuietly();
    struct Case {
        const char* name;
        std::function<void()> arrange;
        qint32 twoSecondsOn;  // the status read 2 s after the text
        bool answering;
    };
    const Case cases[] = {
        // It says busy and idle by itself: no question is needed, and it is idle.
        {"keys it and says so", [] {}, 0, true},
        // Busy with a long message, it reports no change for long: asked, it answers.
        {"busy for long", [&] { keyerSays(4); }, 4, true},
        // Silent while idle: nothing to wait for in the send loop, so nothing noticed until
        // it has had 2 s to speak and been asked once.
        {"silent while idle", [&] { emu.fallSilent(); }, 4, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        emu.answerAgain();
        keyerSays(0);
        const int boxes = notAnsweringBoxes(t);
        c.arrange();
        run().CWSendBuffer = QStringLiteral("TEST");
        w().WKTransmit();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return emu.textAndCommands() == QByteArray("TEST"); }, 3000));
        EXPECT_EQ(notAnsweringBoxes(t), boxes);

        t.clock().advance(SerialWinKeyDriver::kSilentMs);
        emu.clear();
        EXPECT_EQ(w().PollStatus(), c.twoSecondsOn);
        EXPECT_EQ(t.winKey().answering(), c.answering);
        EXPECT_EQ(notAnsweringBoxes(t), boxes + (c.answering ? 0 : 1));
        // A silent keyer is asked once and then told to drop what it holds.
        if (!c.answering) {
            ASSERT_TRUE(emu.waitForBytes(2));
            EXPECT_EQ(emu.received(), wire({0x15, 0x0A}));
        }
    }
}

TEST_F(WinKeyTest, OnlyPrintableCharactersReachTheWire) {
    openQuietly();
    // Below the space and above "~" the keyer reads commands, and some take the next byte as
    // their parameter.
    run().CWSendBuffer = QStringLiteral("A\r\tB") + QChar(0x7F) + QChar(0x80) + QChar(0xC9) + u'C';
    w().WKTransmit();
    // The window hands every character over; the driver keeps commands off the wire.
    EXPECT_EQ(t.winKey().calls.size(), 8);
    ASSERT_TRUE(emu.waitForBytes(3));
    EXPECT_FALSE(emu.waitForBytes(4, 150));
    EXPECT_EQ(emu.received(), QByteArray("ABC"));
}

TEST_F(WinKeyTest, TestSendsItsLineAndAClosedKeyerThatCannotOpenDropsTheText) {
    t.app().station().OwnCall = QString();
    openQuietly();
    w().Command3_Click();
    EXPECT_TRUE(emu.waitForBytes(12));
    EXPECT_EQ(emu.received(), QByteArray("VVV TEST DE "));

    // Closed, on a port with nothing behind it: one message per send, and the text is dropped.
    w().cmdCloseWinkey_Click();
    run().WinKeyPort = 9;
    const size_t shown = t.dialogs().messages().size();
    for (int i = 1; i <= 2; ++i) {
        run().CWSendBuffer = QStringLiteral("CQ");
        w().WKTransmit();
        EXPECT_TRUE(run().CWSendBuffer.isEmpty());
        EXPECT_EQ(t.dialogs().messages().size(), shown + i);
    }
}

}  // namespace
}  // namespace qf
