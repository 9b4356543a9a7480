// The packet-engine source of the spotting window, against a small fake engine on loopback (a
// QTcpServer on its own thread that answers registrations and records every frame) and against
// a real engine, direwolf, fed a spot packet as audio over UDP.
#include "spots/SpotsFixture.h"

#include "logging/Outfrm.h"
#include "support/DirewolfPeer.h"
#include "support/FakePacketEngine.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QtEndian>

#include <functional>

namespace qf::test {
namespace {

const QString kAgw = QStringLiteral("AGW Packet Engine");
// A spot line as a cluster sends it: frequency in columns 16-24, call in columns 27-39.
const QByteArray kSpot = "DX de K1ABC:     14025.0  JA1XYZ       CW 599                     1200Z";

agw::Frame frame(char kind, const char* from, const QByteArray& data = {}) {
    agw::Frame f;
    f.kind = kind;
    f.callFrom = from;
    f.callTo = "K9ABC";
    f.data = data;
    return f;
}

// A monitored frame as the engine words it: its header line, then the packet's text.
agw::Frame monitored(const char* from, const QByteArray& text) {
    return frame('U', from,
                 QByteArray(" 1:Fm ") + from + " To ID <UI pid=F0 Len=10 >[12:00:00]\r" + text +
                     "\r" + QByteArray(1, '\0'));
}

class AgwSourceTest : public SpotsFixture {
  protected:
    AgwSourceTest() { t.packetEngine().useLocalPort(engine.port()); }

    // The source chosen and opened in the shown window.
    void openSource() {
        choose(kAgw);
        w().Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
        settle();
        w().Command1_Click();
        ASSERT_TRUE(w().Timer1->Enabled());
        ASSERT_TRUE(engine.waitForFrames(2));
        engine.clearReceived();
        t.beeper().reset();
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) t.clock().advance(333);
    }
    // A frame from the engine, taken in at the next tick.
    void arrive(const agw::Frame& f) {
        ASSERT_TRUE(engine.send(f));
        tick();
    }
    void typeLine(const QString& line) {
        w().txtSent->SetFocus();
        settle();
        type(line);
    }
    // The kinds of the frames the engine has received once `count` have come (bounded wait).
    QByteArray wire(std::size_t count) {
        engine.waitForFrames(count);
        return engine.kinds();
    }
    const ShownDialog* lastDialog() {
        const auto& shown = t.dialogs().shown();
        return shown.empty() ? nullptr : &shown.back();
    }

    FakePacketEngine engine;
};

TEST_F(AgwSourceTest, OpenRegistersTheTrimmedCallAndAsksForMonitoredFrames) {
    t.app().station().OwnCall = QStringLiteral("  K9ABC ");
    openSource();
    EXPECT_EQ(monitor(),
              QStringLiteral("** Attempting to Open Port **\r\n\r\n\r\n"
                             "** Successfully connected to AGW Packet Engine **\r\n\r\n"));
    EXPECT_TRUE(listening());
    // Form1's caption is the application name; it never reaches the wire.
    EXPECT_EQ(t.packetEngine().calls.first(), QStringLiteral("AGWStartPoll(K9ABC,Form1)"));
    const std::vector<agw::Frame> got = engine.received();
    EXPECT_TRUE(got.empty());  // cleared after "Xm"
    EXPECT_EQ(engine.connections(), 1);
}

TEST_F(AgwSourceTest, FailedOpeningsLeaveNothingListening) {
    writeLog({});
    openOut();
    FakePacketEngine silent;
    silent.setRegistration(FakePacketEngine::Registration::Ignore);
    quint16 nobody = 0;
    {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost, 0);
        nobody = s.serverPort();
    }
    struct Case {
        const char* what;
        QString call;
        quint16 port;
        QString title;
        qint64 atLeastMs;
    };
    const QString unable = QStringLiteral("Unable to connect to the AGW Packet Engine.");
    const Case cases[] = {
        {"no station call", QStringLiteral("   "), engine.port(),
         QStringLiteral("Call Sign Required!"), 0},
        {"nobody listening", QStringLiteral("K9ABC"), nobody, unable, 0},
        {"registration never answered", QStringLiteral("K9ABC"), silent.port(), unable, 1900},
    };
    choose(kAgw);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        w().Hide();
        t.app().station().OwnCall = c.call;
        t.packetEngine().useLocalPort(c.port);
        t.dialogs().clearShown();
        t.beeper().reset();
        QElapsedTimer timer;
        timer.start();
        w().Command1_Click();
        EXPECT_GE(timer.elapsed(), c.atLeastMs);
        EXPECT_LT(timer.elapsed(), 2600);
        ASSERT_NE(lastDialog(), nullptr);
        EXPECT_EQ(lastDialog()->title, c.title);
        EXPECT_FALSE(listening());
        EXPECT_FALSE(w().Timer1->Enabled());
        if (c.title == unable) {
            EXPECT_TRUE(lastDialog()->text.startsWith(QStringLiteral(
                "Unable to connect to the AGW Packet Engine.  To use the AGW Packet "
                "Engine to send and receive packet with your soundcard or devices "
                "such a Baypac:\r\n\r\n- Download the freely available software from ")));
            EXPECT_TRUE(lastDialog()->text.endsWith(
                QStringLiteral("\r\n\r\n- Make sure the AGW Packet Engine software is running and "
                               "configure it as described on the AGW Packet Engine website.")));
            EXPECT_TRUE(
                monitor().startsWith(QStringLiteral("** Attempting to Open Port **\r\n\r\n"
                                                    "Unable to connect")));
            EXPECT_TRUE(monitor().endsWith(
                QStringLiteral("- Run the Packet Engine software and configure it as described on "
                               "the AGW Packet Engine website for your sound card or TNC.\r\n\r\n"
                               "- Click Open from this program.\r\n\r\n")));
            EXPECT_TRUE(w().isVisible());  // shown, so the operator sees what went wrong
            EXPECT_EQ(t.beeper().count(), 0);
        } else {
            EXPECT_EQ(lastDialog()->text,
                      QStringLiteral("Please enter your call sign on the setup form to transmit!"));
            EXPECT_EQ(monitor(), QStringLiteral("** Attempting to Open Port **\r\n\r\n"));
            EXPECT_EQ(t.beeper().count(), 1);
            EXPECT_EQ(engine.connections(), 0);
            EXPECT_TRUE(t.packetEngine().calls.isEmpty());
        }
    }
    // With "Listening" hidden, Done tries again once the call is set.
    t.app().station().OwnCall = QStringLiteral("K9ABC");
    t.packetEngine().useLocalPort(engine.port());
    w().cmdDone_Click();
    EXPECT_TRUE(listening());
    EXPECT_TRUE(w().Timer1->Enabled());
    EXPECT_EQ(wire(2), QByteArray("Xm"));
}

TEST_F(AgwSourceTest, CommandsTypedInTheSendBox) {
    openSource();
    struct Case {
        const char* typed;
        const char* dialogTitle;  // nullptr: no box
    };
    // Nothing of these reaches the wire: no station is connected, and ":C" names nobody.
    for (const Case& c :
         {Case{":C\n", "Call sign Required"}, Case{":C   \n", "Call sign Required"},
          Case{":D\n", nullptr}, Case{"hello\n", nullptr}, Case{":Q x\n", nullptr}}) {
        SCOPED_TRACE(c.typed);
        t.dialogs().clearShown();
        typeLine(QString::fromLatin1(c.typed));
        EXPECT_TRUE(w().txtSent->Text().isEmpty());
        if (c.dialogTitle) {
            ASSERT_NE(lastDialog(), nullptr);
            EXPECT_EQ(lastDialog()->title, QLatin1String(c.dialogTitle));
            EXPECT_EQ(lastDialog()->text,
                      QStringLiteral("You must enter a call sign to connect to such as :C Ardlow"));
        } else {
            EXPECT_EQ(lastDialog(), nullptr);
        }
    }
    // A connect request in lower case goes out upper-cased; its "P" has no frame.
    typeLine(QStringLiteral(":c w1aw\n"));
    EXPECT_EQ(wire(1), QByteArray("C"));
    EXPECT_EQ(engine.received()[0].callTo, QByteArray("W1AW"));
    EXPECT_EQ(engine.received()[0].callFrom, QByteArray("K9ABC"));
    EXPECT_TRUE(t.packetEngine().calls.endsWith(QStringLiteral("AGWPutData(W1AW,,P)")));
    EXPECT_EQ(t.packetEngine().calls.filter(QStringLiteral("AGWPutData")).size(), 2);
    // Esc types the colon of a command.
    key(Qt::Key_Escape);
    EXPECT_EQ(w().txtSent->Text(), QStringLiteral(":"));
}

TEST_F(AgwSourceTest, OneConnectedStationIsFollowedUntilItLeaves) {
    openSource();
    arrive(frame('C', "W1AW", "*** CONNECTED With Station W1AW\r"));
    EXPECT_EQ(w().Caption(), QStringLiteral("DX Spotting Setup - Connected to W1AW"));
    EXPECT_EQ(w().AGWConnectedCall, QStringLiteral("W1AW"));
    EXPECT_EQ(t.beeper().count(), 1);
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("** Connected to W1AW **")));

    // Its text is shown; another station's is not, and neither is a second station's notice.
    arrive(frame('D', "w1aw", "Welcome to the node\r"));
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("Welcome to the node\r\n")));
    const QString before = monitor();
    for (const agw::Frame& f : {frame('D', "K2XX", "not for you\r"),
                                frame('C', "K2XX", "*** CONNECTED With Station K2XX\r"),
                                frame('d', "K2XX", "*** DISCONNECTED From Station K2XX\r")})
        arrive(f);
    EXPECT_EQ(monitor(), before);
    EXPECT_EQ(w().Caption(), QStringLiteral("DX Spotting Setup - Connected to W1AW"));
    EXPECT_EQ(w().AGWConnectedCall, QStringLiteral("W1AW"));
    EXPECT_EQ(t.beeper().count(), 1);

    // Typed lines go to it; a 71st character that is a space sends the first 70 at once.
    typeLine(QStringLiteral("hello\n"));
    const QString seventy = QString(69, QLatin1Char('x')) + QLatin1Char('y');
    typeLine(seventy + QLatin1Char(' '));
    EXPECT_TRUE(w().txtSent->Text().isEmpty());
    ASSERT_EQ(wire(2), QByteArray("DD"));
    EXPECT_EQ(engine.received()[0].data, QByteArray("hello\r"));
    EXPECT_EQ(engine.received()[0].pid, 0xF0);
    EXPECT_EQ(engine.received()[0].callTo, QByteArray("W1AW"));
    EXPECT_EQ(engine.received()[1].data, seventy.toLatin1() + '\r');

    // ":D" asks for the disconnect; the station stays until the engine says it has gone.
    typeLine(QStringLiteral(":D\n"));
    EXPECT_EQ(wire(3), QByteArray("DDd"));
    EXPECT_EQ(w().AGWConnectedCall, QStringLiteral("W1AW"));
    arrive(frame('d', "W1AW", "*** DISCONNECTED From Station W1AW\r"));
    EXPECT_EQ(t.beeper().count(), 3);
    EXPECT_EQ(w().Caption(), QStringLiteral("DX Spotting Setup"));
    EXPECT_TRUE(w().AGWConnectedCall.isEmpty());
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("\r\n** Disconnected from W1AW **\r\n")));
}

TEST_F(AgwSourceTest, CloseAndUnloadDisconnectTheStationThenUnregister) {
    for (const char* how : {"Close Port", "unload"}) {
        SCOPED_TRACE(how);
        TestApp fresh;
        fresh.app().station().OwnCall = QStringLiteral("K9ABC");
        fresh.packetEngine().useLocalPort(engine.port());
        PacketSpotfrm& s = fresh.app().forms().PacketSpotfrm();
        s.List1->setListIndex(s.List1->find(kAgw));
        s.List1_Click();
        s.Command1_Click();
        ASSERT_TRUE(engine.waitForFrames(2));
        engine.clearReceived();
        ASSERT_TRUE(engine.send(frame('C', "W1AW", "*** CONNECTED With Station W1AW\r")));
        fresh.clock().advance(333);
        ASSERT_EQ(s.AGWConnectedCall, QStringLiteral("W1AW"));
        if (QLatin1String(how) == QLatin1String("Close Port")) {
            s.Command2_Click();
            EXPECT_EQ(s.Caption(), QStringLiteral("DX Spotting Setup"));
            EXPECT_TRUE(s.AGWConnectedCall.isEmpty());
            EXPECT_FALSE(s.Timer1->Enabled());
        } else {
            s.Unload();
        }
        EXPECT_EQ(wire(2), QByteArray("dx"));
        EXPECT_EQ(engine.received()[0].callTo, QByteArray("W1AW"));
        EXPECT_TRUE(engine.waitForNoClient());
        engine.clearReceived();
    }
}

TEST_F(AgwSourceTest, MonitoredFramesShowTheirTextAndPostSpotsOnce) {
    writeLog({});
    Outfrm& out = openOut();
    openSource();
    struct Case {
        const char* what;
        agw::Frame f;
        bool dxOnly;
        const char* shownTail;  // the monitor's new end; nullptr: nothing shown
        int spotRows;
    };
    const Case cases[] = {
        {"plain text, tagged", monitored("W1AW", "hello all"), false,
         "UW1AW  1:Fm W1AW To ID <UI pid=F0 Len=10 >[12:00:00]\r\nhello all\r\n", 0},
        {"plain text with DX only ticked", monitored("W1AW", "hello again"), true, nullptr, 0},
        {"a spot as the first line is the header's place", frame('U', "W1AW", kSpot + "\r"), false,
         nullptr, 0},
        {"a spot after the header", monitored("W1AW", kSpot), false, "1200Z\r\n", 1},
        {"the same spot again", monitored("K2XX", kSpot), false, nullptr, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        w().chkDX->setValue(c.dxOnly ? 1 : 0);
        const QString before = monitor();
        arrive(c.f);
        if (c.shownTail) {
            EXPECT_TRUE(monitor().endsWith(QString::fromLatin1(c.shownTail)))
                << monitor().right(120).toStdString();
        } else {
            EXPECT_EQ(monitor(), before);
        }
        EXPECT_EQ(out.txtDX->count(), c.spotRows);
    }
    EXPECT_EQ(out.txtDX->text(1, 0), QStringLiteral("JA1XYZ"));
    EXPECT_EQ(monitor().count(QString::fromLatin1(kSpot)), 1);
}

TEST_F(AgwSourceTest, ABurstIsWorkedOffOneFramePerTick) {
    openSource();
    std::vector<agw::Frame> burst;
    for (int i = 0; i < 50; ++i)
        burst.push_back(monitored("W1AW", "line " + QByteArray::number(i) + "."));
    ASSERT_TRUE(engine.send(burst));
    auto shown = [&](int i) {
        return monitor().contains(QStringLiteral("\r\nline %1.\r\n").arg(i));
    };
    tick(25);
    EXPECT_TRUE(shown(24));
    EXPECT_FALSE(shown(25));
    tick(24);
    EXPECT_TRUE(shown(48));
    EXPECT_FALSE(shown(49));
    tick();
    EXPECT_TRUE(shown(49));
}

// An engine that goes away while the source is open: what it sent before is still worked off,
// one frame a tick, and then the window says the feed has ended and closes the source.
TEST_F(AgwSourceTest, AnEngineThatEndsTheConnectionClosesTheSourceAfterItsFrames) {
    writeLog({});
    Outfrm& out = openOut();
    const QString ended = QStringLiteral(
        "\r\n** Connection to AGW Packet Engine ended **"
        "\r\n\r\n** Port Closed **");
    struct Case {
        const char* what;
        std::function<bool(FakePacketEngine&)> end;
    };
    const Case cases[] = {
        {"the engine closes", [](FakePacketEngine& e) { return e.closeClient(); }},
        {"a header announces 4 GiB",
         [](FakePacketEngine& e) {
             QByteArray header = agw::encode(frame('U', "W1AW"));
             qToLittleEndian<quint32>(0xFFFFFFFFu, header.data() + 28);
             return e.sendRaw(header + QByteArray(4096, 'x'));
         }},
    };
    int rows = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        openSource();
        ASSERT_TRUE(engine.send({monitored("W1AW", kSpot), monitored("W1AW", "after the spot")}));
        ASSERT_TRUE(c.end(engine));
        tick();
        EXPECT_EQ(out.txtDX->count(), ++rows);  // the spot, posted before anything ends
        EXPECT_TRUE(listening());
        tick();
        EXPECT_TRUE(monitor().endsWith(QStringLiteral("after the spot\r\n")));
        EXPECT_TRUE(listening());
        tick();
        EXPECT_TRUE(monitor().endsWith(QStringLiteral("after the spot\r\n") + ended))
            << monitor().right(160).toStdString();
        EXPECT_FALSE(listening());
        EXPECT_FALSE(w().Timer1->Enabled());
        EXPECT_EQ(t.beeper().count(), 1);
        EXPECT_TRUE(engine.waitForNoClient());
        // Said once: the source is closed, nothing ticks on.
        tick(3);
        EXPECT_EQ(monitor().count(QStringLiteral("ended **")), 1);
        // The source can be opened again.
        engine.clearReceived();
        w().Command1_Click();
        ASSERT_TRUE(engine.waitForFrames(2));
        EXPECT_TRUE(listening());
        EXPECT_TRUE(monitor().endsWith(
            QStringLiteral("** Successfully connected to AGW Packet Engine **\r\n\r\n")));
        w().Command2_Click();
        EXPECT_TRUE(engine.waitForNoClient());
    }
}

TEST_F(AgwSourceTest, ARealEngineDeliversASpotThatIsPostedOnce) {
    DirewolfPeer direwolf;
    ASSERT_TRUE(direwolf.failure().isEmpty()) << direwolf.failure().toStdString();
    t.packetEngine().useLocalPort(direwolf.agwPort());
    writeLog({});
    Outfrm& out = openOut();
    choose(kAgw);
    w().Show();
    w().Command1_Click();
    ASSERT_TRUE(w().Timer1->Enabled());

    const QString spot = QStringLiteral("W1AW>DX:") + QString::fromLatin1(kSpot);
    ASSERT_TRUE(direwolf.playUntil({spot}, [&] {
        tick();
        return out.txtDX->count() > 0;
    }));
    EXPECT_EQ(out.txtDX->text(1, 0), QStringLiteral("JA1XYZ"));
    // Shown without the engine's header line.
    EXPECT_TRUE(monitor().contains(QStringLiteral("\r\n\r\n") + QString::fromLatin1(kSpot)));
    EXPECT_FALSE(monitor().contains(QStringLiteral("1:Fm W1AW")));

    // The same spot again, followed by a marker that shows it has been taken in.
    auto spotFrames = [&] {
        int n = 0;
        for (const PacketEngineFrame& f : t.packetEngine().delivered)
            if (f.data.contains(QString::fromLatin1(kSpot))) ++n;
        return n;
    };
    const int heardBefore = spotFrames();
    ASSERT_TRUE(direwolf.playUntil({spot, QStringLiteral("W1AW>ID:marker text")}, [&] {
        tick();
        return monitor().contains(QStringLiteral("marker text"));
    }));
    EXPECT_GT(spotFrames(), heardBefore);
    EXPECT_EQ(out.txtDX->count(), 1);
    EXPECT_EQ(monitor().count(QString::fromLatin1(kSpot)), 1);
    w().Command2_Click();
}

TEST_F(AgwSourceTest, ARealEngineStoppedWhileOpenClosesTheSource) {
    DirewolfPeer direwolf;
    ASSERT_TRUE(direwolf.failure().isEmpty()) << direwolf.failure().toStdString();
    t.packetEngine().useLocalPort(direwolf.agwPort());
    choose(kAgw);
    w().Command1_Click();
    ASSERT_TRUE(w().Timer1->Enabled());
    t.beeper().reset();
    direwolf.stop();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            tick();
            return !listening();
        },
        5000));
    EXPECT_TRUE(
        monitor().endsWith(QStringLiteral("\r\n** Connection to AGW Packet Engine ended **"
                                          "\r\n\r\n** Port Closed **")));
    EXPECT_FALSE(w().Timer1->Enabled());
    EXPECT_EQ(t.beeper().count(), 1);
}

}  // namespace
}  // namespace qf::test
