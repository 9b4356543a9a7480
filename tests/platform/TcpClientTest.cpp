#include "platform/Error.h"
#include "platform/TcpClient.h"
#include "support/CueTcpClients.h"

#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

namespace qf {
namespace {

constexpr int kWaitMs = 5000;

// What a client's events delivered, in order.
struct Events {
    QString data;
    QList<int> errors;
    explicit Events(TcpClient& c) {
        c.onDataArrival = [this](const QString& text) { data += text; };
        c.onError = [this](int number, const QString&) { errors.append(number); };
    }
};

// A port on 127.0.0.1 that nothing listens on: one the system just gave and took back.
quint16 freedPort() {
    QTcpServer s;
    if (!s.listen(QHostAddress::LocalHost)) return 0;
    const quint16 port = s.serverPort();
    s.close();
    return port;
}

// Runs every event queued so far: a marker queued now runs after them.
bool runQueuedEvents() {
    QObject marker;
    bool ran = false;
    QMetaObject::invokeMethod(
        &marker, [&ran] { ran = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([&ran] { return ran; }, kWaitMs);
}

struct Server {
    QTcpServer server;
    QTcpSocket* peer = nullptr;
    Server() { EXPECT_TRUE(server.listen(QHostAddress::LocalHost)); }
    bool accept() {
        if (!QTest::qWaitFor([&] { return server.hasPendingConnections(); }, kWaitMs)) return false;
        peer = server.nextPendingConnection();
        return peer != nullptr;
    }
};

TEST(TcpClientTest, ConnectsWithoutBlockingAndCarriesLatin1BothWays) {
    Server srv;
    SystemTcpClient c;
    Events ev(c);
    c.setRemoteHost(QStringLiteral("127.0.0.1"));
    c.setRemotePort(srv.server.serverPort());
    EXPECT_THROW(c.SendData(QStringLiteral("early")), Error);  // not connected yet
    c.Connect();
    EXPECT_NE(c.State(), TcpClient::sckConnected);  // completes later, in the event loop
    ASSERT_TRUE(srv.accept());
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.State() == TcpClient::sckConnected; }, kWaitMs));

    const QByteArray bytes("call? \xe9\xff\r\n", 10);
    srv.peer->write(bytes);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ev.data.size() == 10; }, kWaitMs));
    EXPECT_EQ(ev.data, QString::fromLatin1(bytes));

    c.SendData(QStringLiteral("N0CALL \u00e9\r\n"));
    QByteArray got;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            got += srv.peer->readAll();
            return got.size() >= 10;
        },
        kWaitMs));
    EXPECT_EQ(got, QByteArray("N0CALL \xe9\r\n"));
    EXPECT_TRUE(ev.errors.isEmpty());

    c.Close();
    EXPECT_EQ(c.State(), TcpClient::sckClosed);
    EXPECT_THROW(c.SendData(QStringLiteral("late")), Error);
}

TEST(TcpClientTest, ARefusedConnectionIsOneErrorEventAfterConnectReturns) {
    const quint16 port = freedPort();
    ASSERT_NE(port, 0);
    SystemTcpClient c;
    Events ev(c);
    c.setRemoteHost(QStringLiteral("127.0.0.1"));
    c.setRemotePort(port);
    c.Connect();
    EXPECT_TRUE(ev.errors.isEmpty());  // never inside Connect itself
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ev.errors.isEmpty(); }, kWaitMs));
    ASSERT_TRUE(runQueuedEvents());  // a second error, had one been queued, has come by now
    EXPECT_EQ(ev.errors, QList<int>{tcperr::kRefused});
    EXPECT_EQ(c.State(), TcpClient::sckError);
    c.Close();
    EXPECT_EQ(c.State(), TcpClient::sckClosed);
}

TEST(TcpClientTest, AServerThatClosesRaisesNoErrorAndLeavesTheStateClosing) {
    Server srv;
    SystemTcpClient c;
    Events ev(c);
    c.setRemoteHost(QStringLiteral("127.0.0.1"));
    c.setRemotePort(srv.server.serverPort());
    c.Connect();
    ASSERT_TRUE(srv.accept());
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.State() == TcpClient::sckConnected; }, kWaitMs));
    srv.peer->write("bye\r\n");
    srv.peer->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.State() != TcpClient::sckConnected; }, kWaitMs));
    EXPECT_EQ(c.State(), TcpClient::sckClosing);
    EXPECT_EQ(ev.data, QStringLiteral("bye\r\n"));  // what came before the close still arrives
    EXPECT_TRUE(ev.errors.isEmpty());
    c.Close();
    EXPECT_EQ(c.State(), TcpClient::sckClosed);
}

TEST(TcpClientTest, PortsAreCheckedAndTheDoubleRaisesAnyNumberOnCue) {
    test::CueTcpClient c;
    Events ev(c);
    for (int bad : {-1, 65536}) EXPECT_THROW(c.setRemotePort(bad), Error) << bad;
    c.setRemotePort(65535);
    EXPECT_EQ(c.RemotePort(), 65535);
    c.cueError(10054);
    c.cueError(4242);
    EXPECT_EQ(ev.errors, (QList<int>{10054, 4242}));
    EXPECT_EQ(c.State(), TcpClient::sckError);
}

}  // namespace
}  // namespace qf
