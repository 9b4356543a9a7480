// The WinKey from the logging window and the CW window: the "!" that logs before the keyer gets
// a byte, Esc and Backspace reaching the keyer, a keyer that falls silent in the middle of a
// message or while idle, keyboard CW, the speed box and the repeat stop.
#include "keying/CWFrm.h"
#include "keying/frmWinKey.h"
#include "logging/LoggingFixture.h"
#include "support/WinKeyEmulator.h"

#include <QTimer>

namespace qf {
namespace {

class WinKeyLoggingTest : public test::LoggingFixture {
  protected:
    void SetUp() override {
        if (!test::PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
        ASSERT_TRUE(emu->available());
    }
    void TearDown() override {
        // The keyer closes while its far end still listens.
        t.app().platform().winKey.wk_close();
    }
    Outfrm& openWithKeyer() {
        t.serialPorts().setDevicePath(7, emu->programEnd());
        writeLog({});
        t.app().station().CurrentMode = QStringLiteral("CW");
        Outfrm& w = openOut();
        w.cmdLogOn->Press();
        settle();
        CWFrm& k = t.app().forms().CWFrm();
        k.Option5->setValue(true);
        frmWinKey& wk = t.app().forms().frmWinKey();
        wk.txtWKComPort->setText(QStringLiteral("7"));
        wk.txtWKComPort_LostFocus();
        wk.cmdOpenWinkey_Click();
        EXPECT_EQ(t.app().run().WinKeyVersion, 23);
        EXPECT_TRUE(emu->waitForBytes(18));
        emu->clear();
        t.winKey().calls.clear();
        return w;
    }
    // The titles of every box shown so far.
    QStringList told() {
        QStringList titles;
        for (const ShownDialog& d : t.dialogs().messages()) titles << d.title;
        return titles;
    }
    QByteArray textAndCommands() const { return emu->textAndCommands(); }
    std::unique_ptr<test::WinKeyEmulator> emu = std::make_unique<test::WinKeyEmulator>();
};

TEST_F(WinKeyLoggingTest, TheBangLogsTheContactBeforeAnyByteGoesOut) {
    Outfrm& w = openWithKeyer();
    t.app().forms().CWFrm().Text1->setText(QStringLiteral("TU!"));
    type(QStringLiteral("k1abc bob ait"));
    int loggedAtFirstByte = -1;
    t.winKey().beforeCall = [&](const QString& call) {
        if (loggedAtFirstByte < 0 && call.startsWith(QLatin1String("wk_char")))
            loggedAtFirstByte = t.app().log().QSOCount;
    };
    key(Qt::Key_F1);
    EXPECT_EQ(loggedAtFirstByte, 1);
    EXPECT_EQ(t.app().log()[1].Call, QStringLiteral("K1ABC"));
    ASSERT_TRUE(emu->waitForBytes(3));
    EXPECT_EQ(emu->received(), QByteArray("TU!"));
    EXPECT_TRUE(w.txtCall->Text().isEmpty());
}

TEST_F(WinKeyLoggingTest, EscAndBackspaceReachABusyKeyerAndTypedControlsDoNot) {
    Outfrm& w = openWithKeyer();
    key(Qt::Key_F12);  // keyboard CW
    type(QStringLiteral("ab"));
    key(Qt::Key_Return);
    ASSERT_TRUE(emu->waitForBytes(2));
    EXPECT_FALSE(emu->waitForBytes(3, 150));
    EXPECT_EQ(emu->received(), QByteArray("AB"));

    // The keyer is sending: Backspace takes back its last character, Esc clears it.
    emu->setStatus(4);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return t.app().platform().winKey.wk_getstatus() == 4; }, 3000));
    emu->clear();
    key(Qt::Key_Backspace);
    key(Qt::Key_Escape);
    const QStringList& calls = t.winKey().calls;
    EXPECT_EQ(calls.mid(calls.size() - 2),
              (QStringList{QStringLiteral("wk_backspace()"), QStringLiteral("wk_clearbuf()")}));
    ASSERT_TRUE(emu->waitForBytes(4));
    const QByteArray got = emu->received();
    EXPECT_TRUE(got.contains(char(0x08)) && got.indexOf(char(0x08)) < got.indexOf(char(0x0A)))
        << got.toHex().constData();
    EXPECT_EQ(t.app().run().WinKeyStatus, 4);
    Q_UNUSED(w);
}

TEST_F(WinKeyLoggingTest, AKeyerThatFallsSilentMidMessageGetsNoMoreOfItAndEscStillClearsIt) {
    Outfrm& w = openWithKeyer();
    CWFrm& k = t.app().forms().CWFrm();
    k.Text1->setText(QStringLiteral("CQ TEST"));
    k.txtCWLoop->setText(QStringLiteral("3"));  // F1 repeats every 3 s
    k.txtCWLoop_LostFocus();
    // As the second character goes out, the keyer has said that its buffer is full, and it
    // says nothing more.
    int chars = 0;
    t.winKey().beforeCall = [&](const QString& call) {
        if (!call.startsWith(QLatin1String("wk_char")) || ++chars != 2) return;
        WinKeyDriver& driver = t.app().platform().winKey;
        EXPECT_TRUE(QTest::qWaitFor([&] { return driver.wk_getstatus() == 0; }, 3000));
        emu->setStatus(5);
        EXPECT_TRUE(QTest::qWaitFor([&] { return driver.wk_getstatus() == 5; }, 3000));
        emu->fallSilent();
    };
    const QStringList before = told();
    const int beeps = t.beeper().count();
    key(Qt::Key_F1);
    t.winKey().beforeCall = {};
    EXPECT_TRUE(t.app().run().CWSendBuffer.isEmpty());
    EXPECT_EQ(t.app().run().CWRepeatActive, 0);
    // Nothing of the rest after the silence; one clear-buffer command instead.
    EXPECT_TRUE(QTest::qWaitFor([&] { return textAndCommands() == "CQ\x0A"; }, 3000))
        << emu->received().toHex().constData();
    EXPECT_EQ(told(), before + QStringList{QStringLiteral("WinKey not answering.")});
    EXPECT_EQ(t.beeper().count(), beeps + 1);
    // The box is closed: nothing more goes out, the repeat that was due included.
    const int sent = static_cast<int>(emu->received().size());
    t.clock().advance(10000);
    settle();
    EXPECT_FALSE(emu->waitForBytes(sent + 1, 200));
    // Nor does a message started while it says nothing.
    emu->clear();
    key(Qt::Key_F1);
    t.clock().advance(10000);
    settle();
    EXPECT_FALSE(emu->waitForBytes(2, 200));
    EXPECT_EQ(textAndCommands(), QByteArray());
    EXPECT_EQ(t.app().run().CWRepeatActive, 0);

    // It may still be keying: Esc clears it, every time, and leaves the entry row.
    type(QStringLiteral("k1abc"));
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        emu->clear();
        key(Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([&] { return textAndCommands() == "\x0A"; }, 3000));
        EXPECT_TRUE(t.app().run().CWSendBuffer.isEmpty());
        EXPECT_EQ(w.txtCall->Text(), QStringLiteral("K1ABC"));
    }
    // Told once, not at every key.
    EXPECT_EQ(told().size(), before.size() + 1);
    EXPECT_EQ(t.beeper().count(), beeps + 1);
}

TEST_F(WinKeyLoggingTest, AKeyerSilentWhileIdleIsNoticedAfterAMessageAndEscClearsIt) {
    Outfrm& w = openWithKeyer();
    t.app().forms().CWFrm().Text1->setText(QStringLiteral("CQ TEST"));
    emu->fallSilent();
    const QStringList before = told();
    const int beeps = t.beeper().count();
    key(Qt::Key_F1);
    // An idle keyer is not asked before each character: the message goes out, unchecked.
    EXPECT_TRUE(QTest::qWaitFor([&] { return textAndCommands() == "CQ TEST"; }, 3000));
    EXPECT_EQ(told(), before);

    type(QStringLiteral("k1abc"));
    t.clock().advance(2000);
    emu->clear();
    key(Qt::Key_Escape);
    // Its 2 s to say busy are over and it answers no question: it is cleared, once.
    EXPECT_TRUE(QTest::qWaitFor([&] { return textAndCommands() == "\x0A"; }, 3000));
    EXPECT_FALSE(emu->waitForBytes(static_cast<int>(emu->received().size()) + 1, 150));
    EXPECT_TRUE(t.app().run().CWSendBuffer.isEmpty());
    EXPECT_EQ(w.txtCall->Text(), QStringLiteral("K1ABC"));
    EXPECT_EQ(told(), before + QStringList{QStringLiteral("WinKey not answering.")});
    EXPECT_EQ(t.beeper().count(), beeps + 1);
}

TEST_F(WinKeyLoggingTest, TheSpeedBoxAndTheRepeatStopReachAnOpenKeyer) {
    openWithKeyer();
    CWFrm& k = t.app().forms().CWFrm();
    k.Text11->setText(QStringLiteral("25"));
    k.Text11->setText(QStringLiteral("4"));    // too slow for the keyer: not sent
    k.Text11->setText(QStringLiteral("100"));  // too fast: not sent
    t.app().run().CWRepeatActive = 1;
    key(Qt::Key_A);
    EXPECT_EQ(t.winKey().calls,
              (QStringList{QStringLiteral("wk_wpm(25)"), QStringLiteral("wk_clearbuf()")}));
    ASSERT_TRUE(emu->waitForBytes(3));
    EXPECT_EQ(emu->received(), QByteArray("\x02\x19\x0A"));
}

}  // namespace
}  // namespace qf
