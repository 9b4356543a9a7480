// The Telnet cluster source against a real cluster: a QTcpServer on 127.0.0.1 at a port chosen
// at run time, every wait bounded.
#include "logging/LoggingFixture.h"
#include "spots/PacketSpotfrm.h"

#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <memory>

#include <sys/socket.h>

namespace qf::test {
namespace {

constexpr int kWaitMs = 5000;

// A spot line with the frequency in columns 16-24 and the call in columns 27-39.
QString spotLine(const char* khz, const char* call, const char* spotter = "K1AB") {
    return (QStringLiteral("DX de ") + QLatin1String(spotter) + QLatin1Char(':'))
               .leftJustified(15, QLatin1Char(' ')) +
           QString::fromLatin1(khz).rightJustified(9, QLatin1Char(' ')) + QStringLiteral("  ") +
           QString::fromLatin1(call).leftJustified(13, QLatin1Char(' ')) +
           QStringLiteral(" CQ TEST                     1200Z\r\n");
}

struct Cluster {
    QTcpServer server;
    QTcpSocket* peer = nullptr;
    QByteArray received;
    Cluster() { EXPECT_TRUE(server.listen(QHostAddress::LocalHost)); }
    QString port() const { return QString::number(server.serverPort()); }
    bool accept() {
        if (!QTest::qWaitFor([&] { return server.hasPendingConnections(); }, kWaitMs)) return false;
        peer = server.nextPendingConnection();
        return peer != nullptr;
    }
    void send(const QString& text) {
        peer->write(text.toLatin1());
        peer->flush();
    }
    // Waits until the client has sent at least n bytes in all.
    bool receive(qsizetype n, int ms = kWaitMs) {
        return QTest::qWaitFor(
            [&] {
                received += peer->readAll();
                return received.size() >= n;
            },
            ms);
    }
};

// A port on 127.0.0.1 that nothing listens on: one the system just gave and took back.
QString freedPort() {
    QTcpServer s;
    EXPECT_TRUE(s.listen(QHostAddress::LocalHost));
    return QString::number(s.serverPort());
}

class TelnetSourceTest : public LoggingFixture {
  protected:
    PacketSpotfrm& w() { return t.app().forms().PacketSpotfrm(); }
    const QString& monitor() { return w().Monitor.text(); }
    bool listening() { return w().Label4->Visible(); }
    int state() { return w().Winsock1->State(); }

    // The logging window, then the spotting window with "Telnet" chosen and the endpoint set.
    void setUpTelnet(const QString& port) {
        writeLog({});
        openOut();
        w().List1->setListIndex(w().List1->find(QStringLiteral("Telnet")));
        w().List1_Click();
        w().txtTelnetHost->setText(QStringLiteral("127.0.0.1"));
        w().txtTelnetPort->setText(port);
        w().Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
        settle();
    }
    void connectTo(Cluster& c) {
        setUpTelnet(c.port());
        w().Command1_Click();
        ASSERT_TRUE(c.accept());
        ASSERT_TRUE(QTest::qWaitFor([&] { return state() == TcpClient::sckConnected; }, kWaitMs));
    }
    // Sends a piece and waits until it is shown, so the next piece is an arrival of its own.
    void arrive(Cluster& c, const QString& piece) {
        c.send(piece);
        EXPECT_TRUE(QTest::qWaitFor([&] { return monitor().endsWith(piece); }, kWaitMs));
    }
    void press(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }

    // The spots the logging window took, oldest first: the filled slots at the top of the table.
    std::vector<std::pair<QString, float>> posted() {
        std::vector<std::pair<QString, float>> out;
        for (int i = 0; i < SpotSlotTable::kSlots; ++i) {
            const SpotSlot& s = t.app().spots()[i];
            if (!s.SpotCall.isEmpty() || s.SpotFrequency != 0)
                out.emplace_back(s.SpotCall, s.SpotFrequency);
        }
        return out;
    }
};

using Spots = std::vector<std::pair<QString, float>>;

TEST_F(TelnetSourceTest, ShowsTheLoginAtOnceSendsTypedLinesAndPostsEverySpotOnce) {
    Cluster c;
    setUpTelnet(c.port());
    w().Command1_Click();
    EXPECT_EQ(monitor(), QStringLiteral("Attempting connection to: 127.0.0.1:") + c.port() +
                             QStringLiteral("\r\n\r\n"));
    EXPECT_TRUE(listening());
    EXPECT_TRUE(w().Timer1->Enabled());
    ASSERT_TRUE(c.accept());
    ASSERT_TRUE(QTest::qWaitFor([&] { return state() == TcpClient::sckConnected; }, kWaitMs));

    arrive(c, QStringLiteral("Please enter your call: "));  // no line end, shown at once
    ASSERT_EQ(QApplication::focusWidget(), w().txtSent);
    w().txtSent->setText(QStringLiteral("k9abc"));
    press(Qt::Key_Return);
    ASSERT_TRUE(c.receive(7));
    EXPECT_EQ(c.received, QByteArray("k9abc\r\n"));
    EXPECT_TRUE(w().txtSent->Text().isEmpty());

    // One spot cut mid-line and mid-column over three arrivals, then a burst of three.
    const QString cut = spotLine("14025.0", "W1AW");
    arrive(c, QStringLiteral("\r\n") + cut.left(19));  // inside the frequency
    arrive(c, cut.mid(19, 10));                        // inside the call
    EXPECT_TRUE(posted().empty());
    arrive(c, cut.mid(29));
    arrive(c, spotLine("7012.5", "VE3XYZ") + QStringLiteral("To ALL de N1XX: hi\r\n") +
                  spotLine("21074.0", "JA1ABC", "W9ZZZ-2") + spotLine("3505.1", "G4AAA"));
    EXPECT_EQ(posted(), (Spots{{QStringLiteral("W1AW"), 14.025f},
                               {QStringLiteral("VE3XYZ"), 7.0125f},
                               {QStringLiteral("JA1ABC"), 21.074f},
                               {QStringLiteral("G4AAA"), 3.5051f}}));

    // "List DX Only": complete spot lines alone are shown, each when its line is whole.
    w().chkDX->setValue(1);
    const qsizetype before = monitor().size();
    const QString next = spotLine("28400.0", "ZL2XX");
    c.send(QStringLiteral("To ALL de N1XX: qsy\r\n") + next.left(30));
    // Read once the cut spot line is what the window holds of it.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return w().telnetLines().pending() == next.left(30); }, kWaitMs));
    EXPECT_EQ(monitor().size(), before);
    c.send(next.mid(30) + QStringLiteral("WWV de W0MU: SFI=70\r\n"));
    // A piece without a line end after it, held once everything before it was read.
    c.send(QStringLiteral("N1XX de"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return w().telnetLines().pending() == QStringLiteral("N1XX de"); }, kWaitMs));
    EXPECT_EQ(monitor().mid(before), next);
    EXPECT_EQ(posted().size(), 5u);
    EXPECT_EQ(posted().back(), std::make_pair(QStringLiteral("ZL2XX"), 28.4f));
    EXPECT_EQ(t.beeper().count(), 0);
}

TEST_F(TelnetSourceTest, EnterBeforeTheConnectionCompletesOnlyNotifies) {
    Cluster c;
    setUpTelnet(c.port());
    w().Command1_Click();
    ASSERT_NE(state(), TcpClient::sckConnected);  // no event has run yet
    const QString notice = QStringLiteral(
        "**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n");
    for (const char* line : {"first", "second"}) {
        w().txtSent->setText(QString::fromLatin1(line));
        press(Qt::Key_Return);
        EXPECT_TRUE(w().txtSent->Text().isEmpty());
    }
    EXPECT_EQ(monitor(), QStringLiteral("Attempting connection to: 127.0.0.1:") + c.port() +
                             QStringLiteral("\r\n\r\n") + notice + notice);
    ASSERT_TRUE(c.accept());
    ASSERT_TRUE(QTest::qWaitFor([&] { return state() == TcpClient::sckConnected; }, kWaitMs));
    EXPECT_FALSE(c.receive(1, 300));  // nothing was kept to send later
}

TEST_F(TelnetSourceTest, ARefusedPortIsReportedInTheMonitorAndClosesTheSource) {
    const QString port = freedPort();
    setUpTelnet(port);
    const size_t boxes = t.dialogs().messages().size();
    w().Command1_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listening(); }, kWaitMs));
    settle();
    EXPECT_EQ(monitor(), QStringLiteral("Attempting connection to: 127.0.0.1:") + port +
                             QStringLiteral("\r\n\r\nERROR: Connection is forcefully rejected."
                                            "\r\n\r\n** Port Closed **"));
    EXPECT_FALSE(w().Timer1->Enabled());
    EXPECT_EQ(state(), TcpClient::sckClosed);
    EXPECT_EQ(t.beeper().count(), 1);
    EXPECT_EQ(t.dialogs().messages().size(), boxes);  // never a message box
}

// Each piece is its own arrival; what the window then shows and posts, and how the feed ends.
TEST_F(TelnetSourceTest, PromptsNeverSwallowASpotAndAnEndedFeedClosesTheSource) {
    enum class End { None, Close, Reset };
    struct Case {
        const char* what;
        bool dxOnly;
        QStringList pieces;
        Spots spots;
        End end;
    };
    const QString w1aw = spotLine("14025.0", "W1AW");
    const QString k2xx = spotLine("7012.5", "K2XX");
    const QString prompt = QStringLiteral("W9XYZ de CLUSTER >");
    const QString dxPrompt = QStringLiteral("K0XYZ de W1AW-2 12-Sep-2026 1500Z dxspider >");
    const Spots oneSpot{{QStringLiteral("W1AW"), 14.025f}};
    const std::vector<Case> cases = {
        {"a login prompt, then a spot",
         false,
         {QStringLiteral("login: "), w1aw},
         oneSpot,
         End::None},
        {"a command prompt between two spots",
         false,
         {k2xx, prompt, w1aw},
         {{QStringLiteral("K2XX"), 7.0125f}, {QStringLiteral("W1AW"), 14.025f}},
         End::None},
        {"a spot cut inside its frequency and call columns",
         false,
         {w1aw.left(19), w1aw.mid(19, 10), w1aw.mid(29)},
         oneSpot,
         End::None},
        {"a prompt and a spot in one send", false, {prompt + w1aw}, oneSpot, End::None},
        {"a spot cut between its D and X after a prompt",
         false,
         {prompt + w1aw.left(1), w1aw.mid(1)},
         oneSpot,
         End::None},
        {"a prompt holding dx, cut before it",
         false,
         {dxPrompt.left(34), dxPrompt.mid(34), w1aw},
         oneSpot,
         End::None},
        {"List DX Only: the spot after the prompt", true, {prompt, w1aw}, oneSpot, End::None},
        {"List DX Only: a prompt and a spot in one send",
         true,
         {prompt + w1aw},
         oneSpot,
         End::None},
        {"a close after a spot", false, {w1aw}, oneSpot, End::Close},
        {"a reset after a spot", false, {w1aw}, oneSpot, End::Reset},
    };
    Cluster c;
    setUpTelnet(c.port());
    // Counts what reaches the window, so each piece is known to arrive on its own.
    QStringList arrivals;
    const auto handler = w().Winsock1->onDataArrival;
    w().Winsock1->onDataArrival = [&arrivals, handler](const QString& text) {
        arrivals << text;
        handler(text);
    };
    const auto restore = qScopeGuard([&] { w().Winsock1->onDataArrival = handler; });
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        w().chkDX->setValue(0);
        w().Command1_Click();
        ASSERT_TRUE(c.accept());
        ASSERT_TRUE(QTest::qWaitFor([&] { return state() == TcpClient::sckConnected; }, kWaitMs));
        arrivals.clear();
        w().chkDX->setValue(k.dxOnly ? 1 : 0);
        t.beeper().reset();
        const size_t boxes = t.dialogs().messages().size();
        const Spots before = posted();
        const qsizetype shownBefore = monitor().size();
        for (const QString& piece : k.pieces) {
            c.send(piece);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !arrivals.isEmpty(); }, kWaitMs));
            ASSERT_EQ(arrivals.takeFirst(), piece);
        }
        const Spots all = posted();
        EXPECT_EQ(Spots(all.begin() + qsizetype(before.size()), all.end()), k.spots);
        const QString shown = monitor().mid(shownBefore);
        EXPECT_EQ(shown, k.dxOnly ? w1aw : k.pieces.join(QString()));

        if (k.end == End::None) {
            EXPECT_TRUE(listening());
            EXPECT_EQ(t.beeper().count(), 0);
            continue;
        }
        if (k.end == End::Reset) {
            const linger hard{1, 0};  // close() then sends RST, not FIN
            ASSERT_EQ(::setsockopt(int(c.peer->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard,
                                   sizeof hard),
                      0);
            c.peer->abort();
        } else {
            c.peer->disconnectFromHost();
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !listening(); }, kWaitMs));
        settle();
        const QString ending =
            k.end == End::Reset ? QStringLiteral("ERROR: The connection is reset by remote side.!")
                                : QString();
        EXPECT_EQ(monitor().mid(shownBefore),
                  shown + ending + QStringLiteral("\r\n\r\n** Port Closed **"));
        EXPECT_FALSE(w().Timer1->Enabled());
        EXPECT_EQ(state(), TcpClient::sckClosed);
        EXPECT_EQ(t.beeper().count(), 1);
        EXPECT_EQ(t.dialogs().messages().size(), boxes);
        // Nothing is open now, so Enter opens the source again.
        w().txtSent->SetFocus();
        press(Qt::Key_Return);
        EXPECT_TRUE(listening());
        ASSERT_TRUE(c.accept());
        ASSERT_TRUE(QTest::qWaitFor([&] { return state() == TcpClient::sckConnected; }, kWaitMs));
    }
}

TEST_F(TelnetSourceTest, APortTextThatIsNoPortStartsNothing) {
    Cluster c;
    setUpTelnet(c.port());
    for (const char* bad : {"", "abc", "0", "65536", "80x", "-23", "23.5", "99999"}) {
        SCOPED_TRACE(bad);
        w().txtTelnetPort->setText(QString::fromLatin1(bad));
        w().Command1_Click();
        EXPECT_EQ(monitor(), QStringLiteral("** Attempting to Open Port **\r\n\r\n"));
        EXPECT_FALSE(listening());
        EXPECT_FALSE(w().Timer1->Enabled());
        EXPECT_EQ(state(), TcpClient::sckClosed);
    }
    EXPECT_FALSE(c.server.hasPendingConnections());
    // Nothing is open, so Enter opens it once the port is mended.
    w().txtTelnetPort->setText(QStringLiteral(" ") + c.port());
    w().txtSent->SetFocus();
    press(Qt::Key_Return);
    EXPECT_TRUE(listening());
    EXPECT_TRUE(c.accept());
}

TEST_F(TelnetSourceTest, HostileTextStaysWithinItsBoundsAndNoSlotGetsControlCharacters) {
    Cluster c;
    connectTo(c);
    const QByteArray junk(64 * 1024, 'x');
    for (int i = 0; i < 16; ++i) c.peer->write(junk);  // a megabyte without a line end
    c.peer->flush();
    // The bounds hold at every look while the megabyte arrives; the spots after it show that
    // all of it was read.
    qsizetype mostHeld = 0, mostShown = 0;
    auto look = [&] {
        mostHeld = std::max(mostHeld, w().telnetLines().pending().size());
        mostShown = std::max(mostShown, monitor().size());
    };
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            look();
            return c.peer->bytesToWrite() == 0 && monitor().endsWith(QStringLiteral("xxxx")) &&
                   w().Winsock1->State() == TcpClient::sckConnected;
        },
        kWaitMs));

    // The rest of the overlong line is dropped; the lines after it are read.
    QString hostile = spotLine("14030.0", "W1AW");
    hostile.replace(28, 4, QStringLiteral("\"\x01\x1b'"));  // W1"<SOH><ESC>' in the call columns
    c.send(QStringLiteral("x tail of junk  14000.0  BAD\r\n") + hostile +
           spotLine("14031.0", "K2\"Q\tX"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            look();
            return posted().size() == 2;
        },
        kWaitMs));
    EXPECT_LE(mostHeld, TelnetLineAssembler::kCap);
    EXPECT_LE(mostShown, 10000);
    for (const auto& [call, mhz] : posted()) {
        for (QChar ch : call) {
            EXPECT_TRUE(ch.isLetterOrNumber() || ch == QLatin1Char('/')) << call.toStdString();
        }
    }
    for (int i = 0; i < SpotSlotTable::kSlots; ++i) {
        EXPECT_FALSE(t.app().spots()[i].SpotLabel.contains(QLatin1Char('"')));
    }
}

TEST_F(TelnetSourceTest, AnErrorWhileConnectedLandsRightAfterTheLastText) {
    Cluster c;
    connectTo(c);
    arrive(c, QStringLiteral("Hello\r\nlogin: "));
    const QString shown = monitor();
    t.tcpClients().last()->cueError(10054);
    EXPECT_EQ(monitor(), shown + QStringLiteral("ERROR: The connection is reset by remote side.!"
                                                "\r\n\r\n** Port Closed **"));
    EXPECT_FALSE(listening());
    EXPECT_FALSE(w().Timer1->Enabled());
    EXPECT_EQ(state(), TcpClient::sckClosed);
    EXPECT_EQ(t.beeper().count(), 1);
    // The connection is gone: the cluster sees the close.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return c.peer->state() == QAbstractSocket::UnconnectedState; }, kWaitMs));
}

}  // namespace
}  // namespace qf::test
