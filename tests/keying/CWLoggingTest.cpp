// The CW keys of a logging window: function keys into the CW window, the "!" that logs the
// contact inside a message, keyboard CW, the speed arrows, Esc, the echo line and the close
// that waits for the character being keyed. The out-of-state window runs the contest here.
#include "keying/CWFrm.h"
#include "keying/KeyingFixture.h"
#include "logging/LoggingFixture.h"

namespace qf {
namespace {

class CWLoggingTest : public test::LoggingFixture {
  protected:
    Outfrm& openCW() {
        writeLog({});
        t.app().station().CurrentMode = QStringLiteral("CW");
        Outfrm& w = openOut();
        w.cmdLogOn->Press();
        settle();
        CWFrm& k = cw();
        k.Option3->setValue(true);
        k.OptSleep->setValue(true);
        k.Text11->setText(QStringLiteral("20"));
        return w;
    }
    CWFrm& cw() { return t.app().forms().CWFrm(); }
    QString keyed() { return test::Keyed(t.keying()); }
};

TEST_F(CWLoggingTest, TheBangLogsTheContactBetweenTheCharactersAroundIt) {
    Outfrm& w = openCW();
    cw().Text1->setText(QStringLiteral("CQ!E"));
    type(QStringLiteral("k1abc bob ait"));
    key(Qt::Key_F1);
    EXPECT_EQ(keyed(), QStringLiteral("CQE"));
    ASSERT_EQ(t.app().log().QSOCount, 1);
    EXPECT_EQ(t.app().log()[1].Call, QStringLiteral("K1ABC"));
    // C and Q take 1.8 s at 20 WPM, E another 0.24 s: the contact's second is the one between.
    EXPECT_EQ(t.app().log()[1].QSOTime, QStringLiteral("15:00:01"));
    EXPECT_EQ(t.app().log()[1].Mode, QStringLiteral("CW"));
    EXPECT_TRUE(w.txtCall->Text().isEmpty());

    // With an empty call box the "!" logs nothing.
    t.keying().clear();
    key(Qt::Key_F1);
    EXPECT_EQ(keyed(), QStringLiteral("CQE"));
    EXPECT_EQ(t.app().log().QSOCount, 1);
}

TEST_F(CWLoggingTest, AKeyingLineThatFailsEndsTheMessageAndTellsOnce) {
    // At 20 WPM on the parallel port; every unit is one line setting of 60 ms. T takes settings
    // 1 to 6, U 7 to 16, the space 17 to 24, and a T after the bang 25 to 30.
    const struct {
        const char* what;
        const char* message;
        int failingSetting;
        int logged;
        const char* typed;  // a call of its own each, or the second would be a dupe
    } cases[] = {
        {"in the T after the bang", "TU !T", 26, 1, "k1abc bob ait"},
        {"at the space before the bang", "TU !", 17, 0, "k2abc bob ait"},
    };
    Outfrm& w = openCW();
    // F1 with a repeat: a message that failed does not come round again.
    cw().txtCWLoop->setText(QStringLiteral("5"));
    cw().txtCWLoop_LostFocus();
    // The hidden CW window is shown for the correction; the operator puts it away again.
    t.dialogs().onShown = [this](const ShownDialog&) {
        QMetaObject::invokeMethod(
            &cw(), [this] { cw().Hide(); }, Qt::QueuedConnection);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QString units;
        for (QChar ch : QString::fromLatin1(c.message))
            units += MorsePattern(ch).value_or(QString());
        units.truncate(c.failingSetting - 1);
        t.keying().clear();
        t.dialogs().clearShown();
        const int beeps = t.beeper().count();
        const int contacts = t.app().log().QSOCount;
        cw().Text1->setText(QString::fromLatin1(c.message));
        // Back to the logging window, which the CW window's showing took the focus from.
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        w.txtCall->SetFocus();
        settle();
        type(QString::fromLatin1(c.typed));
        t.keying().failAt(c.failingSetting);
        const qint64 start = t.clock().tickMs();
        key(Qt::Key_F1);

        // Keying stopped at the failing setting: nothing after it went down or was waited for.
        const QString p = t.keying().pattern();
        EXPECT_EQ(p.left(units.size()), units);
        EXPECT_FALSE(p.mid(units.size()).contains(QLatin1Char('1'))) << qPrintable(p);
        EXPECT_EQ(t.clock().tickMs() - start, units.size() * 60);
        EXPECT_FALSE(t.keying().lineDown());
        EXPECT_TRUE(t.app().run().CWSendBuffer.isEmpty());
        EXPECT_EQ(t.app().run().CWSending, 0);
        ASSERT_EQ(t.dialogs().messages().size(), 1u);
        EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Invalid port."));
        EXPECT_EQ(t.dialogs().messages()[0].text,
                  QStringLiteral("The port you have selected for CW keying is invalid.  Please "
                                 "select another or enter 0 for none."));
        EXPECT_EQ(t.beeper().count() - beeps, 1);
        EXPECT_EQ(t.app().log().QSOCount - contacts, c.logged);
        EXPECT_EQ(t.app().run().CWRepeatActive, 0);
        EXPECT_FALSE(cw().tmrRepeat->Enabled());
    }
}

TEST_F(CWLoggingTest, FunctionKeysSpeedArrowsAndTheEchoLine) {
    Outfrm& w = openCW();
    cw().Text9->setText(QStringLiteral("NINE"));
    cw().Text12->setText(QStringLiteral("TEN"));
    key(Qt::Key_F9);
    EXPECT_EQ(keyed(), QStringLiteral("NINE"));
    key(Qt::Key_F10);  // sent as key code 124, the F10 box
    EXPECT_EQ(keyed(), QStringLiteral("NINETEN"));
    // The echo line ends empty, or with the keyboard-CW reminder while keyboard CW is on.
    EXPECT_EQ(w.lblDialog->Caption(), QString());
    key(Qt::Key_F12);
    key(Qt::Key_F9);
    EXPECT_EQ(w.lblDialog->Caption(),
              QStringLiteral("Keyboard CW Mode is on.  Press F12 to exit."));
    key(Qt::Key_F12);

    key(Qt::Key_Up);
    EXPECT_EQ(cw().Text11->Text(), QStringLiteral("21"));
    EXPECT_EQ(w.lblDialog->Caption(), QStringLiteral("21 WPM"));
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(w.lblDialog->Caption(), QStringLiteral("19 WPM"));
    EXPECT_TRUE(w.txtCall->Text().isEmpty());

    // With no keying interface the keys do none of this.
    cw().Option4->setValue(true);
    key(Qt::Key_Up);
    EXPECT_EQ(cw().Text11->Text(), QStringLiteral("19"));
}

TEST_F(CWLoggingTest, TheEchoLineShowsWhatIsLeftWhileSending) {
    Outfrm& w = openCW();
    cw().Text2->setText(QStringLiteral("TEST"));
    QStringList shown;
    t.keying().afterSet = [&](size_t) {
        if (shown.isEmpty() || shown.last() != w.lblDialog->Caption())
            shown << w.lblDialog->Caption();
    };
    key(Qt::Key_F2);
    // While a character is keyed the line shows it and what follows it.
    EXPECT_EQ(shown, (QStringList{QStringLiteral(" "), QStringLiteral("EST"), QStringLiteral("ST"),
                                  QStringLiteral("T")}));
    EXPECT_EQ(w.lblDialog->Caption(), QString());
    cw().Check1->setValue(0);
    w.lblDialog->setCaption(QStringLiteral("kept"));
    key(Qt::Key_F2);
    EXPECT_EQ(w.lblDialog->Caption(), QStringLiteral("kept"));
}

TEST_F(CWLoggingTest, KeyboardCWKeysWhatIsTypedAndEscStopsIt) {
    Outfrm& w = openCW();
    key(Qt::Key_F12);
    type(QStringLiteral("e"));
    EXPECT_EQ(keyed(), QStringLiteral("E"));
    EXPECT_TRUE(w.txtCall->Text().isEmpty());

    // Esc while a message is keyed ends it after the character being keyed.
    t.keying().clear();
    cw().Text1->setText(QStringLiteral("CQ CQ CQ"));
    bool pressed = false;
    t.keying().afterSet = [&](size_t) {
        if (pressed) return;
        pressed = true;
        QMetaObject::invokeMethod(
            &w, [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
            Qt::QueuedConnection);
    };
    key(Qt::Key_F1);
    EXPECT_EQ(keyed(), QStringLiteral("C"));
    EXPECT_EQ(t.app().run().CWSending, 0);
}

TEST_F(CWLoggingTest, ClosingMidMessageIsRefusedOnceThenAllowed) {
    Outfrm& w = openCW();
    cw().Text1->setText(QStringLiteral("CQ CQ"));
    bool tried = false, closed = true;
    t.keying().afterSet = [&](size_t) {
        if (tried) return;
        tried = true;
        QMetaObject::invokeMethod(
            &w, [&] { closed = w.close(); }, Qt::QueuedConnection);
    };
    key(Qt::Key_F1);
    EXPECT_TRUE(tried);
    EXPECT_EQ(keyed(), QStringLiteral("C"));  // the buffer was emptied, the C finished
    EXPECT_FALSE(w.unloaded());
    EXPECT_EQ(quits, 0);
    EXPECT_TRUE(t.app().forms().cwFrmSlot().isLoaded());
    // The second close goes through and takes the CW window with it.
    w.close();
    EXPECT_TRUE(w.unloaded());
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(t.app().forms().cwFrmSlot().isLoaded());
    Q_UNUSED(closed);
}

TEST_F(CWLoggingTest, CtrlCShowsTheWindowAndTheMenuShowsItModally) {
    Outfrm& w = openCW();
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(cw().isVisible());
    EXPECT_FALSE(cw().isModal());
    EXPECT_TRUE(w.txtCall->Text().isEmpty());
    cw().Command1->Press();
    EXPECT_TRUE(cw().isHidden());

    bool wasModal = false;
    QMetaObject::invokeMethod(
        &cw(),
        [&] {
            wasModal = cw().isModal();
            cw().Command1->Press();
        },
        Qt::QueuedConnection);
    w.mnuCW->action()->trigger();
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(cw().isHidden());
    EXPECT_TRUE(t.app().forms().cwFrmSlot().isLoaded());
}

TEST_F(CWLoggingTest, AnyKeyStopsTheRepeat) {
    openCW();
    cw().Text1->setText(QStringLiteral("E"));
    cw().txtCWLoop->setText(QStringLiteral("2"));
    cw().txtCWLoop_LostFocus();
    key(Qt::Key_F1);
    EXPECT_EQ(t.app().run().CWRepeatActive, 1);
    EXPECT_TRUE(cw().tmrRepeat->Enabled());
    type(QStringLiteral("k"));
    EXPECT_EQ(t.app().run().CWRepeatActive, 0);
    EXPECT_FALSE(cw().tmrRepeat->Enabled());
    t.clock().advance(5000);
    EXPECT_EQ(keyed(), QStringLiteral("E"));
}

}  // namespace
}  // namespace qf
