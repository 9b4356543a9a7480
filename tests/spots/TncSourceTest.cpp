// The TNC source against a TNC on a socat pair: the port's settings and handshaking, the text
// the TNC sends (cut mid-line) split into lines, shown, de-duplicated and posted to the
// out-of-state window, the keys and lines sent back, a port that cannot open, and a TNC that
// goes away while open.
#include "spots/SpotsFixture.h"

#include "logging/Form1.h"
#include "logging/Outfrm.h"
#include "spots/Spotting.h"
#include "support/PtyPair.h"
#include "support/TncPeer.h"

#include <functional>
#include <memory>

namespace qf::test {
namespace {

// "DX de " and the spotter, the kHz right-aligned to column 24, the call from column 27, the
// comment, the time from column 71, CR LF.
QByteArray spotLine(const char* spotter, const char* khz, const char* call,
                    const char* comment = "CQ", const char* time = "1200Z") {
    QString l =
        (QStringLiteral("DX de ") + QLatin1String(spotter) + QLatin1Char(':')).leftJustified(15);
    l += QString::fromLatin1(khz).rightJustified(9) + QStringLiteral("  ") +
         QString::fromLatin1(call).leftJustified(13);
    l += QString::fromLatin1(comment).leftJustified(31) + QLatin1String(time) +
         QStringLiteral("\r\n");
    return l.toLatin1();
}

class TncSourceTest : public SpotsFixture {
  protected:
    void SetUp() override {
        if (!PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
        ASSERT_TRUE(pty.available());
        t.serialPorts().setDevicePath(2, pty.first());
        tnc = std::make_unique<TncPeer>(pty.second(), pty.first());
        ASSERT_TRUE(tnc->isOpen());
        writeLog({});
        out = &openOut();
    }
    // The window shown, the TNC chosen on port 2 and opened.
    void openTnc() {
        w().Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
        choose(QStringLiteral("TNC"));
        w().optComm[1]->setValue(true);
        w().Command1_Click();
        ASSERT_TRUE(w().comComm1->PortOpen());
        ASSERT_TRUE(w().Timer1->Enabled());
    }
    // The TNC sends a chunk; the next tick reads it.
    void feed(const QByteArray& chunk) {
        ASSERT_TRUE(tnc->send(chunk));
        t.clock().advance(333);
    }
    int countIn(const QString& text, const QByteArray& line) {
        return static_cast<int>(text.count(QString::fromLatin1(line)));
    }
    QString newestCall() { return t.app().spots()[49].SpotCall; }
    void doneWith(bool list) {
        (list ? w().OptList : w().OptBand)->setValue(true);
        w().cmdDone_Click();
    }

    PtyPair pty;
    std::unique_ptr<TncPeer> tnc;
    Outfrm* out = nullptr;
};

TEST_F(TncSourceTest, DoneWritesTheSettingsFileAndALoadReopensTheTnc) {
    openTnc();
    EXPECT_EQ(w().comComm1->Settings(), QStringLiteral("9600,N,8,1"));
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("** TNC Serial Port Open **\r\n\r\n")));
    w().cmdDone_Click();
    EXPECT_EQ(t.readFile(t.files().resolve(QStringLiteral("PackSpot.txt"))),
              fixture(QStringLiteral("packspot-tnc.txt")));
    // The window closes with the logging window; the next load opens the stored TNC again.
    spots::UnloadWindow(t.app());
    QCoreApplication::processEvents();
    ASSERT_FALSE(t.app().forms().packetSpotSlot().isLoaded());
    w();
    EXPECT_TRUE(listening());
    EXPECT_TRUE(w().comComm1->PortOpen());
    EXPECT_TRUE(w().Timer1->Enabled());
    EXPECT_TRUE(w().fraPort->Enabled());
    EXPECT_EQ(w().List1->Text(), QStringLiteral("TNC"));
}

TEST_F(TncSourceTest, TheFourHandshakingChoicesReachThePort) {
    struct Case {
        OptionButton* PacketSpotfrm::*option;
        bool rtsCts, xonXoff, rts;
    };
    const Case cases[] = {{&PacketSpotfrm::Option1, false, false, false},
                          {&PacketSpotfrm::Option2, false, true, false},
                          {&PacketSpotfrm::Option3, true, false, true},
                          {&PacketSpotfrm::Option4, true, true, true}};
    openTnc();
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        (w().*c.option)->setValue(true);
        w().Command1_Click();
        ASSERT_TRUE(w().comComm1->PortOpen());
        const TncPeer::Handshaking h = tnc->handshaking();
        EXPECT_EQ(h.rtsCts, c.rtsCts);
        EXPECT_EQ(h.xonXoff, c.xonXoff);
        EXPECT_EQ(w().comComm1->RTSEnable(), c.rts);
        EXPECT_FALSE(w().comComm1->DTREnable());
    }
    // "RTS OnOff" with DTR power raises both lines.
    w().optPowerDTR->setValue(true);
    w().Command1_Click();
    EXPECT_TRUE(w().comComm1->RTSEnable());
    EXPECT_TRUE(w().comComm1->DTREnable());
    EXPECT_EQ(t.beeper().count(), 0);  // a pty without modem lines is no failure
}

TEST_F(TncSourceTest, ChunksCutMidLineBecomeWholeLinesShownAndPostedOnce) {
    openTnc();
    doneWith(false);
    const QByteArray a = spotLine("W3LPL", "14025.0", "JA1ABC");
    const QByteArray b = spotLine("K1TTT", "14030.5", "VK2XYZ");
    const QByteArray c = spotLine("N6TR", "14045.0", "ZS6AAA");
    const QByteArray chat = "W3LPL de K1TTT: good morning\r\n";

    // Two lines in one chunk, and the start of a third.
    feed(a + b + c.left(20));
    EXPECT_EQ(countIn(monitor(), a), 1);
    EXPECT_LT(monitor().indexOf(QString::fromLatin1(a)), monitor().indexOf(QString::fromLatin1(b)));
    EXPECT_EQ(t.app().spots()[48].SpotCall, QStringLiteral("JA1ABC"));
    EXPECT_EQ(newestCall(), QStringLiteral("VK2XYZ"));
    EXPECT_FALSE(monitor().contains(QString::fromLatin1(c.left(20))));
    // The rest of the third line on a later tick: then it is shown whole.
    feed(c.mid(20));
    EXPECT_EQ(countIn(monitor(), c), 1);
    EXPECT_EQ(newestCall(), QStringLiteral("ZS6AAA"));
    EXPECT_EQ(out->txtDX->count(), 3);

    // A duplicate within the monitor's last 800 characters is neither shown nor posted.
    feed(a);
    EXPECT_EQ(countIn(monitor(), a), 1);
    EXPECT_EQ(newestCall(), QStringLiteral("ZS6AAA"));
    // After more than 800 characters of other text it is taken again.
    for (int i = 0; i < 30; ++i)
        feed(QByteArray("chatter line ") + QByteArray::number(i) + " .......\r\n");
    feed(a);
    EXPECT_EQ(countIn(monitor(), a), 2);
    EXPECT_EQ(newestCall(), QStringLiteral("JA1ABC"));

    // "List DX Only": other lines are no longer shown, spots still are.
    w().chkDX->setValue(1);
    feed(chat + b);
    EXPECT_FALSE(monitor().contains(QString::fromLatin1(chat)));
    EXPECT_EQ(newestCall(), QStringLiteral("VK2XYZ"));
    w().chkDX->setValue(0);
    feed(chat);
    EXPECT_TRUE(monitor().contains(QString::fromLatin1(chat)));

    // Text held back survives Close Port and Open Port and is joined to the next input.
    feed(b.left(30));
    w().Command2_Click();
    w().Command1_Click();
    ASSERT_TRUE(w().Timer1->Enabled());
    feed(b.mid(30));
    // (Open Port began the monitor text afresh.)
    EXPECT_EQ(countIn(monitor(), b), 1);

    // Spots reached the out-of-state window's slots, list and band map (20 m).
    EXPECT_EQ(out->txtDX->text(1, 0), QStringLiteral("VK2XYZ"));
    EXPECT_TRUE(out->lblDXSpot[49]->Visible());
    EXPECT_EQ(out->lblDXSpot[49]->Caption(), QStringLiteral("VK2"));
}

TEST_F(TncSourceTest, ANonNumericFrequencyIsShownAndHandedOnButNotKept) {
    openTnc();
    doneWith(true);
    const QByteArray odd = spotLine("W3LPL", "SOMEWHERE", "JA1ABC");
    w().LabelUpdateTimeCounter = 100;
    feed(odd);
    EXPECT_TRUE(monitor().contains(QString::fromLatin1(odd)));
    EXPECT_EQ(w().LabelUpdateTimeCounter, 1);  // handed on: the count started again
    EXPECT_TRUE(newestCall().isEmpty());       // and the logging window dropped it
    EXPECT_EQ(out->txtDX->count(), 0);
}

TEST_F(TncSourceTest, HostileInputReachesNoSlotAndTheBufferStaysCapped) {
    openTnc();
    doneWith(true);
    struct Case {
        const char* name;
        QByteArray text;
        QString newest;  // slot 49 afterwards; empty: nothing posted
    };
    // Fields whose cut number would read as a wrong frequency: 14025. for 14025.9, and
    // 296025.01 for 1296025.01.
    const QByteArray shifted = "DX de W3LPL-12:   14025.9  JA1ABC       CQ\r\n";
    const QByteArray wide = "DX de W3LPL:  1296025.01 JA1ABC       CQ\r\n";
    const Case cases[] = {
        {"quote in the call", spotLine("W3LPL", "14025.0", "K1\"AB,C"), QStringLiteral("K1")},
        {"CR in the call", spotLine("W3LPL", "14026.0", "K2AB\rXYZ"), QStringLiteral("K2AB")},
        {"control characters", spotLine("W3LPL", "14027.0", "K3\x01\x1b[2J"), QStringLiteral("K3")},
        {"shifted spotter field", shifted, QString()},
        {"number wider than its field", wide, QString()},
        {"a megabyte without LF", QByteArray(1 << 20, 'x') + "\r\n" + shifted, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        t.app().spots()[49] = SpotSlot{};
        // Straight into the buffer a port's worth (1024 bytes) at a time, as the reads hand it
        // over: a megabyte is more than a pty holds.
        for (qsizetype at = 0; at < c.text.size(); at += 1024) {
            w().SpotLineBuffer.append(QString::fromLatin1(c.text.mid(at, 1024)));
            w().ProcessTNCBuffer();
            ASSERT_LE(w().SpotLineBuffer.size(), TncLineBuffer::kCap);
        }
        EXPECT_EQ(newestCall(), c.newest);
    }
    // The megabyte itself was never shown as a line; the line after it was.
    EXPECT_FALSE(monitor().contains(QStringLiteral("xxxxxxxx")));
    EXPECT_TRUE(monitor().endsWith(QString::fromLatin1(shifted)) ||
                monitor().contains(QString::fromLatin1(shifted)));
    // Text without LF through the port keeps the buffer within its cap too.
    for (int i = 0; i < 6; ++i) {
        feed(QByteArray(1024, 'y'));
        EXPECT_LE(w().SpotLineBuffer.size(), TncLineBuffer::kCap);
    }
}

TEST_F(TncSourceTest, KeysAndLinesGoToTheTnc) {
    openTnc();
    w().txtSent->SetFocus();
    settle();
    ASSERT_EQ(QApplication::focusWidget(), w().txtSent);
    w().chkDX->setValue(1);
    key(Qt::Key_Escape);
    EXPECT_EQ(tnc->received(1), QByteArray("\x03"));
    EXPECT_EQ(w().chkDX->Value(), 0);
    EXPECT_TRUE(w().txtSent->Text().isEmpty());
    tnc->clearReceived();
    key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(tnc->received(1, 200).isEmpty());
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(tnc->received(1), QByteArray("\x03"));
    tnc->clearReceived();
    w().txtHex->setText(QStringLiteral("1b"));
    key(Qt::Key_Escape);
    EXPECT_EQ(tnc->received(1), QByteArray("\x1b"));
    tnc->clearReceived();

    type(QStringLiteral("SH/DX"));
    key(Qt::Key_Return);
    EXPECT_EQ(tnc->received(6), QByteArray("SH/DX\r"));
    EXPECT_TRUE(w().txtSent->Text().isEmpty());

    // Enter with the port closed opens it first, then sends.
    w().Command2_Click();
    ASSERT_FALSE(w().comComm1->PortOpen());
    tnc->clearReceived();
    type(QStringLiteral("B"));
    key(Qt::Key_Return);
    EXPECT_TRUE(listening());
    EXPECT_EQ(tnc->received(2), QByteArray("B\r"));
}

TEST_F(TncSourceTest, APortThatCannotOpenIsReportedAndClosed) {
    w().Show();
    choose(QStringLiteral("TNC"));
    w().optComm[4]->setValue(true);  // no device
    t.beeper().reset();
    t.dialogs().clearShown();
    w().Command1_Click();
    EXPECT_EQ(t.beeper().count(), 1);
    EXPECT_TRUE(monitor().contains(QStringLiteral("** Unable to open TNC Serial Port **\r\n\r\n")));
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("\r\n\r\n** Port Closed **")));
    const auto boxes = t.dialogs().messages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, QStringLiteral("Invalid Comm Settings."));
    EXPECT_EQ(boxes[0].text,
              QStringLiteral("The comm port that you selected for DX Spotting is either in use, "
                             "invalid or the settings that you have selected are invalid.  Please "
                             "select another combination or choose None for your DX Spot "
                             "selection."));
    EXPECT_FALSE(w().Timer1->Enabled());
    EXPECT_FALSE(listening());
    EXPECT_TRUE(w().isVisible());
}

TEST_F(TncSourceTest, AnUnpluggedTncEndsTheFeedOnceAndOpensAgainWhenBack) {
    openTnc();
    // Ticks with nothing waiting are no end.
    t.beeper().reset();
    t.clock().advance(333 * 5);
    EXPECT_TRUE(listening());
    EXPECT_TRUE(w().Timer1->Enabled());
    EXPECT_EQ(t.beeper().count(), 0);

    // Where the loss is met: the tick's read, or a line or the command key sent before it.
    struct Case {
        const char* name;
        std::function<void()> meet;
        const char* call;  // spotted once the TNC is back
    };
    const Case cases[] = {
        {"the tick's read",
         [&] {
             for (int tick = 0; tick < 3 && listening(); ++tick) t.clock().advance(333);
         },
         "JA1ABC"},
        {"a typed line",
         [&] {
             type(QStringLiteral("SH/DX"));
             key(Qt::Key_Return);
         },
         "VK2XYZ"},
        {"the command key", [&] { key(Qt::Key_Escape); }, "ZS6AAA"},
    };
    const QString ended =
        QStringLiteral("\r\n** Connection to TNC ended **\r\n\r\n** Port Closed **");
    std::unique_ptr<PtyPair> replugged;
    PtyPair* device = &pty;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w().txtSent->SetFocus();
        settle();
        ASSERT_EQ(QApplication::focusWidget(), w().txtSent);
        tnc.reset();
        device->end();
        t.beeper().reset();
        t.dialogs().clearShown();
        c.meet();
        EXPECT_TRUE(monitor().endsWith(ended));
        EXPECT_FALSE(listening());
        EXPECT_FALSE(w().Timer1->Enabled());
        EXPECT_FALSE(w().comComm1->PortOpen());
        EXPECT_EQ(t.beeper().count(), 1);
        EXPECT_TRUE(t.dialogs().messages().empty());
        // Said once: later ticks add nothing.
        const QString said = monitor();
        t.clock().advance(333 * 5);
        EXPECT_EQ(monitor(), said);
        EXPECT_EQ(t.beeper().count(), 1);

        // The TNC back at the same path: Open Port opens it, and spots flow again.
        replugged = std::make_unique<PtyPair>(pty.folder());
        ASSERT_TRUE(replugged->available());
        device = replugged.get();
        tnc = std::make_unique<TncPeer>(device->second(), device->first());
        ASSERT_TRUE(tnc->isOpen());
        w().Command1_Click();
        ASSERT_TRUE(w().comComm1->PortOpen());
        EXPECT_TRUE(listening());
        EXPECT_TRUE(w().Timer1->Enabled());
        feed(spotLine("W3LPL", "14025.0", c.call));
        EXPECT_EQ(newestCall(), QLatin1String(c.call));
    }
}

TEST_F(TncSourceTest, TheBandMapIsRedrawnOnThe361stTickOnlyWhileItIsShown) {
    openTnc();
    doneWith(false);
    feed(spotLine("W3LPL", "14025.0", "JA1ABC"));
    ASSERT_TRUE(out->lblDXSpot[49]->Visible());
    // An hour passes without a tick: the label still stands until the map is redrawn.
    t.clock().set(t.clock().localNow().addSecs(3600), 5 * 3600);
    EXPECT_EQ(w().LabelUpdateTimeCounter, 1);
    t.clock().advance(333 * 359);
    EXPECT_EQ(w().LabelUpdateTimeCounter, 360);
    EXPECT_TRUE(out->lblDXSpot[49]->Visible());
    t.clock().advance(333);
    EXPECT_EQ(w().LabelUpdateTimeCounter, 0);
    EXPECT_FALSE(out->lblDXSpot[49]->Visible());

    // With the facade's flag down the 361st tick only starts the count again.
    feed(spotLine("W3LPL", "14030.0", "VK2XYZ"));
    ASSERT_TRUE(out->lblDXSpot[49]->Visible());
    t.clock().set(t.clock().localNow().addSecs(3600), 5 * 3600);
    t.app().forms().Form1().lblDX->setVisible(false);
    t.clock().advance(333 * 360);
    EXPECT_EQ(w().LabelUpdateTimeCounter, 0);
    EXPECT_TRUE(out->lblDXSpot[49]->Visible());
}

}  // namespace
}  // namespace qf::test
