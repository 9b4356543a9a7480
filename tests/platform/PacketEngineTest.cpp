#include "platform/AgwFrame.h"
#include "platform/PacketEngine.h"
#include "support/DirewolfPeer.h"
#include "support/FakePacketEngine.h"
#include "support/SystemDoubles.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QThread>
#include <QtEndian>

namespace qf {
namespace {

using test::FakePacketEngine;

agw::Frame frameOf(char kind, const char* from, const QByteArray& data = {}, const char* to = "") {
    agw::Frame f;
    f.kind = kind;
    f.callFrom = from;
    f.callTo = to;
    f.data = data;
    return f;
}

// ---- the frame codec ----

TEST(AgwFrameTest, HeaderFieldsSitAtTheirOffsetsLittleEndian) {
    agw::Frame f = frameOf('D', "N0CALL", "hi\r", "W1AW-15");
    f.port = 2;
    f.pid = 0xF0;
    f.user = 0x01020304;
    const QByteArray b = agw::encode(f);
    ASSERT_EQ(b.size(), 36 + 3);
    EXPECT_EQ(b[0], 2);
    EXPECT_EQ(b[4], 'D');
    EXPECT_EQ(quint8(b[6]), 0xF0);
    EXPECT_EQ(b.mid(8, 10), QByteArray("N0CALL\0\0\0\0", 10));
    EXPECT_EQ(b.mid(18, 10), QByteArray("W1AW-15\0\0\0", 10));
    EXPECT_EQ(qFromLittleEndian<quint32>(b.constData() + 28), 3u);
    EXPECT_EQ(qFromLittleEndian<quint32>(b.constData() + 32), 0x01020304u);
    EXPECT_EQ(b.mid(36), QByteArray("hi\r"));
    for (int reserved : {1, 2, 3, 5, 7}) EXPECT_EQ(b[reserved], '\0') << reserved;

    agw::Frame back;
    qsizetype used = 0;
    ASSERT_EQ(agw::decode(b + "next", back, used), agw::Decoded::Whole);
    EXPECT_EQ(back, f);
    EXPECT_EQ(used, b.size());
}

TEST(AgwFrameTest, CallsAreCutSoTheirFieldEndsInANul) {
    const QByteArray b = agw::encode(frameOf('X', "ABCDEFGHIJKL"));
    EXPECT_EQ(b.mid(8, 10), QByteArray("ABCDEFGHI\0", 10));
    // A peer may fill all ten bytes: the call then ends with the field.
    QByteArray full = b;
    full.replace(8, 10, "0123456789");
    agw::Frame back;
    qsizetype used = 0;
    ASSERT_EQ(agw::decode(full, back, used), agw::Decoded::Whole);
    EXPECT_EQ(back.callFrom, QByteArray("0123456789"));
}

TEST(AgwFrameTest, DecodeWaitsForWholeFramesAndRefusesOversizedOnes) {
    const QByteArray whole = agw::encode(frameOf('U', "W1AW", QByteArray(100, 'x')));
    auto withLength = [](quint32 length) {
        QByteArray h(36, '\0');
        h[4] = 'U';
        qToLittleEndian<quint32>(length, h.data() + 28);
        return h;
    };
    const struct {
        const char* what;
        QByteArray bytes;
        agw::Decoded expected;
    } cases[] = {
        {"nothing", {}, agw::Decoded::Incomplete},
        {"part of a header", whole.left(35), agw::Decoded::Incomplete},
        {"header without all its data", whole.left(135), agw::Decoded::Incomplete},
        {"a whole frame", whole, agw::Decoded::Whole},
        {"exactly 64 KiB announced", withLength(64 * 1024), agw::Decoded::Incomplete},
        {"one byte over 64 KiB", withLength(64 * 1024 + 1), agw::Decoded::Oversized},
        {"1 GiB announced", withLength(1u << 30), agw::Decoded::Oversized},
        {"4 GiB - 1 announced", withLength(0xFFFFFFFFu), agw::Decoded::Oversized},
    };
    for (const auto& c : cases) {
        agw::Frame f;
        qsizetype used = 0;
        EXPECT_EQ(agw::decode(c.bytes, f, used), c.expected) << c.what;
    }
}

TEST(AgwFrameTest, DeliveredFramesMapKindsAndTrimTheirData) {
    const struct {
        char kind;
        QByteArray data;
        int deliveredKind;  // 0: swallowed
        QByteArray deliveredData;
    } cases[] = {
        {'C', "*** CONNECTED With Station W1AW\r", 'c', "*** CONNECTED With Station W1AW\r"},
        {'d', "*** DISCONNECTED From Station W1AW\r", 'd', "*** DISCONNECTED From Station W1AW\r"},
        {'D', "hello\r", 'D', "hello\r"},
        {'U', QByteArray(" 1:Fm W1AW To DX\rDX de\r\0", 24), 'U', " 1:Fm W1AW To DX\rDX de\r"},
        {'I', QByteArray("one nul only\0\0", 14), 'I', QByteArray("one nul only\0", 13)},
        {'S', "", 'S', ""},
        {'T', "own", 'T', "own"},
        {'X', "\1", 0, {}},
        {'G', "1;Port1 x;", 0, {}},
        {'R', "", 0, {}},
        {'y', "", 0, {}},
        {'H', "", 0, {}},
        {'K', "raw", 0, {}},
    };
    for (const auto& c : cases) {
        const std::optional<PacketEngineFrame> out =
            agw::delivered(frameOf(c.kind, "W1AW", c.data));
        ASSERT_EQ(out.has_value(), c.deliveredKind != 0) << c.kind;
        if (!out) continue;
        EXPECT_EQ(out->kind, c.deliveredKind) << c.kind;
        EXPECT_EQ(out->sender, QStringLiteral("W1AW")) << c.kind;
        EXPECT_EQ(out->data, QString::fromLatin1(c.deliveredData)) << c.kind;
        EXPECT_EQ(out->length, c.deliveredData.size()) << c.kind;
    }
    const std::optional<PacketEngineFrame> longOne =
        agw::delivered(frameOf('U', "W1AW", QByteArray(5000, 'z') + '\0'));
    ASSERT_TRUE(longOne);
    EXPECT_EQ(longOne->data.size(), 4000);
    EXPECT_EQ(longOne->length, 4000);
}

TEST(AgwFrameTest, PutsBecomeFramesFromTheOwnCall) {
    const struct {
        qint16 kind;
        bool sent;
        char wireKind;
        quint8 pid;
        QByteArray data;
    } cases[] = {
        {'D', true, 'D', 0xF0, "hello\r"},
        {'c', true, 'C', 0, {}},
        {'d', true, 'd', 0, {}},
        {'P', false, 0, 0, {}},
        {'x', false, 0, 0, {}},
    };
    for (const auto& c : cases) {
        const std::optional<agw::Frame> f =
            agw::outgoing(QStringLiteral("N0CALL"), QStringLiteral("W1AW"),
                          c.kind == 'D' ? QStringLiteral("hello\r") : QString(), c.kind);
        ASSERT_EQ(f.has_value(), c.sent) << char(c.kind);
        if (!f) continue;
        EXPECT_EQ(f->kind, c.wireKind);
        EXPECT_EQ(f->pid, c.pid);
        EXPECT_EQ(f->callFrom, QByteArray("N0CALL"));
        EXPECT_EQ(f->callTo, QByteArray("W1AW"));
        EXPECT_EQ(f->data, c.data);
    }
}

// ---- the client against the fake engine ----

struct Session {
    FakePacketEngine engine;
    TcpPacketEngine client;
    Session() { client.setEndpoint(QStringLiteral("127.0.0.1"), engine.port()); }
    bool start() {
        return client.AGWStartPoll(QStringLiteral("N0CALL"), QStringLiteral("Form1")) != 0;
    }
};

quint16 portNobodyListensOn() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();  // closed again when `s` goes
}

TEST(PacketEngineTest, EndpointDefaultsToLoopback8000AndFollowsTheEnvironment) {
    TcpPacketEngine plain;
    EXPECT_EQ(plain.host(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(plain.port(), 8000);
    MapEnvironment env({{QStringLiteral("QUILLFEN_AGW_HOST"), QStringLiteral("engine.local")},
                        {QStringLiteral("QUILLFEN_AGW_PORT"), QStringLiteral("8010")}});
    TcpPacketEngine configured(&env);
    EXPECT_EQ(configured.host(), QStringLiteral("engine.local"));
    EXPECT_EQ(configured.port(), 8010);
    MapEnvironment bad({{QStringLiteral("QUILLFEN_AGW_PORT"), QStringLiteral("70000")}});
    EXPECT_EQ(TcpPacketEngine(&bad).port(), 8000);
}

TEST(PacketEngineTest, StartRegistersTheCallThenAsksForMonitoredFrames) {
    Session s;
    ASSERT_TRUE(s.start());
    ASSERT_TRUE(s.engine.waitForFrames(2));
    EXPECT_EQ(s.engine.kinds(), QByteArray("Xm"));
    const std::vector<agw::Frame> got = s.engine.received();
    EXPECT_EQ(got[0].callFrom, QByteArray("N0CALL"));
    // The application name is no part of the protocol.
    for (const agw::Frame& f : got) {
        EXPECT_FALSE(f.callTo.contains("Form1"));
        EXPECT_FALSE(f.data.contains("Form1"));
    }
    // The registration answer is swallowed.
    PacketEngineFrame f;
    EXPECT_EQ(s.client.AGWGetData(f), 0);
}

TEST(PacketEngineTest, StartFailsWithinTheBoundWithoutAnAnsweringEngine) {
    FakePacketEngine silent;
    silent.setRegistration(FakePacketEngine::Registration::Ignore);
    FakePacketEngine refusing;
    refusing.setRegistration(FakePacketEngine::Registration::Refuse);
    const struct {
        const char* what;
        quint16 port;
        qint64 atLeastMs;
    } cases[] = {
        {"nobody listening", portNobodyListensOn(), 0},
        {"registration never answered", silent.port(), TcpPacketEngine::kWaitMs - 50},
        {"registration refused", refusing.port(), 0},
    };
    for (const auto& c : cases) {
        TcpPacketEngine client;
        client.setEndpoint(QStringLiteral("127.0.0.1"), c.port);
        QElapsedTimer t;
        t.start();
        EXPECT_EQ(client.AGWStartPoll(QStringLiteral("N0CALL"), QStringLiteral("Form1")), 0)
            << c.what;
        EXPECT_GE(t.elapsed(), c.atLeastMs) << c.what;
        EXPECT_LT(t.elapsed(), TcpPacketEngine::kWaitMs + 1000) << c.what;
        EXPECT_FALSE(client.connected()) << c.what;
        PacketEngineFrame f;
        EXPECT_EQ(client.AGWGetData(f), 0) << c.what;
        EXPECT_EQ(client.AGWPutData(QStringLiteral("W1AW"), {}, 'c'), 0) << c.what;
    }
    // An empty call is not even offered to the engine.
    Session s;
    EXPECT_EQ(s.client.AGWStartPoll({}, QStringLiteral("Form1")), 0);
    EXPECT_EQ(s.engine.connections(), 0);
}

TEST(PacketEngineTest, FramesAreHandedOutOneAtATimeWithoutWaiting) {
    Session s;
    ASSERT_TRUE(s.start());
    ASSERT_TRUE(s.engine.send({frameOf('G', "", "1;Port1;"),
                               frameOf('C', "W1AW", "*** CONNECTED\r", "N0CALL"),
                               frameOf('D', "W1AW", "hello\r", "N0CALL"),
                               frameOf('d', "W1AW", "*** DISCONNECTED\r", "N0CALL")}));
    QString seen;
    PacketEngineFrame f;
    // Bounded in real time: the bytes are on loopback already.
    QElapsedTimer t;
    t.start();
    while (seen.size() < 3 && t.elapsed() < 3000) {
        if (s.client.AGWGetData(f)) {
            seen += QChar(f.kind);
            EXPECT_EQ(f.sender, QStringLiteral("W1AW"));
        }
    }
    EXPECT_EQ(seen, QStringLiteral("cDd"));
    EXPECT_EQ(s.client.AGWGetData(f), 0);
}

TEST(PacketEngineTest, PutsAndCloseReachTheWire) {
    Session s;
    ASSERT_TRUE(s.start());
    ASSERT_TRUE(s.engine.waitForFrames(2));
    s.engine.clearReceived();
    EXPECT_NE(s.client.AGWPutData(QStringLiteral("W1AW"), {}, 'c'), 0);
    EXPECT_EQ(s.client.AGWPutData(QStringLiteral("W1AW"), {}, 'P'), 0);
    EXPECT_NE(s.client.AGWPutData(QStringLiteral("W1AW"), QStringLiteral("hi\r"), 'D'), 0);
    EXPECT_NE(s.client.AGWPutData(QStringLiteral("W1AW"), {}, 'd'), 0);
    s.client.AGWClose();
    ASSERT_TRUE(s.engine.waitForFrames(4));
    EXPECT_EQ(s.engine.kinds(), QByteArray("CDdx"));
    const std::vector<agw::Frame> got = s.engine.received();
    EXPECT_EQ(got[1].data, QByteArray("hi\r"));
    EXPECT_EQ(got[1].pid, 0xF0);
    EXPECT_EQ(got[3].callFrom, QByteArray("N0CALL"));
    EXPECT_TRUE(s.engine.waitForNoClient());
    EXPECT_FALSE(s.client.connected());
}

TEST(PacketEngineTest, AnOversizedAnnouncementEndsTheConnection) {
    Session s;
    ASSERT_TRUE(s.start());
    QByteArray header(36, '\0');
    header[4] = 'U';
    qToLittleEndian<quint32>(1u << 30, header.data() + 28);
    // A frame before it still counts; the bytes after it never become a frame.
    ASSERT_TRUE(s.engine.sendRaw(agw::encode(frameOf('U', "W1AW", "before\r")) + header +
                                 agw::encode(frameOf('U', "W1AW", "after\r"))));
    PacketEngineFrame f;
    QElapsedTimer t;
    t.start();
    while (s.client.connected() && t.elapsed() < 3000) s.client.AGWGetData(f);
    EXPECT_FALSE(s.client.connected());
    EXPECT_TRUE(s.engine.waitForNoClient());
    EXPECT_EQ(f.data, QStringLiteral("before\r"));
    EXPECT_EQ(s.client.AGWGetData(f), 0);
}

TEST(PacketEngineTest, TheQueueKeepsOnlyTheNewestFrames) {
    Session s;
    s.client.setQueueLimit(20);
    ASSERT_TRUE(s.start());
    std::vector<agw::Frame> burst;
    for (int i = 0; i < 30; ++i) burst.push_back(frameOf('U', "W1AW", QByteArray::number(i)));
    ASSERT_TRUE(s.engine.send(burst));
    // All 30 wait on loopback; the first fetch takes them in and keeps the newest 20.
    PacketEngineFrame f;
    std::vector<int> got;
    while (s.client.AGWGetData(f)) got.push_back(f.data.toInt());
    ASSERT_EQ(got.size(), 20u);
    EXPECT_EQ(got.front(), 10);
    EXPECT_EQ(got.back(), 29);
}

TEST(PacketEngineTest, FramesReceivedBeforeThePeerLeftAreStillHandedOut) {
    auto engine = std::make_unique<FakePacketEngine>();
    TcpPacketEngine client;
    client.setEndpoint(QStringLiteral("127.0.0.1"), engine->port());
    ASSERT_NE(client.AGWStartPoll(QStringLiteral("N0CALL"), {}), 0);
    ASSERT_TRUE(engine->send({frameOf('U', "W1AW", "one"), frameOf('U', "W1AW", "two")}));
    engine.reset();
    PacketEngineFrame f;
    ASSERT_NE(client.AGWGetData(f), 0);
    EXPECT_EQ(f.data, QStringLiteral("one"));
    EXPECT_FALSE(client.connected());
    EXPECT_FALSE(client.sessionEnded());  // not while a frame waits
    ASSERT_NE(client.AGWGetData(f), 0);
    EXPECT_EQ(f.data, QStringLiteral("two"));
    EXPECT_EQ(client.AGWGetData(f), 0);
    EXPECT_TRUE(client.sessionEnded());
    EXPECT_EQ(client.AGWPutData(QStringLiteral("W1AW"), QStringLiteral("x\r"), 'D'), 0);
    client.AGWClose();
    EXPECT_FALSE(client.sessionEnded());  // closed by the program, not ended by the engine
}

// ---- the client against a real engine ----

TEST(PacketEngineTest, ARealEngineRegistersAndDeliversAMonitoredPacket) {
    test::DirewolfPeer direwolf;
    ASSERT_TRUE(direwolf.failure().isEmpty()) << direwolf.failure().toStdString();
    TcpPacketEngine client;
    client.setEndpoint(QStringLiteral("127.0.0.1"), direwolf.agwPort());
    ASSERT_NE(client.AGWStartPoll(QStringLiteral("N0CALL"), QStringLiteral("Form1")), 0);
    PacketEngineFrame f;
    const bool heard = direwolf.playUntil({QStringLiteral("W1AW>DX:hello from the engine")},
                                          [&] { return client.AGWGetData(f) != 0; });
    ASSERT_TRUE(heard);
    EXPECT_EQ(f.kind, 'U');
    EXPECT_EQ(f.sender, QStringLiteral("W1AW"));
    EXPECT_TRUE(f.data.startsWith(QStringLiteral(" 1:Fm W1AW To DX"))) << f.data.toStdString();
    EXPECT_TRUE(f.data.contains(QStringLiteral("\rhello from the engine"))) << f.data.toStdString();
    EXPECT_FALSE(f.data.endsWith(QChar(0)));
    client.AGWClose();
}

}  // namespace
}  // namespace qf
