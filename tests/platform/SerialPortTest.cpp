#include "platform/Error.h"
#include "platform/KeyingLine.h"
#include "platform/SerialPort.h"
#include "platform/System.h"
#include "support/FakeRig.h"
#include "support/PtyPair.h"
#include "support/SystemDoubles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

#include <memory>

namespace qf {
namespace {

TEST(SerialPortsTest, PortNumbersMapToDevicesOverridablePerNumber) {
    MapEnvironment env({{QStringLiteral("QUILLFEN_COM4"), QStringLiteral("/dev/ttyUSB0")}});
    SystemSerialPorts ports(&env);
    EXPECT_EQ(ports.devicePath(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(ports.devicePath(4), QStringLiteral("/dev/ttyUSB0"));
    ports.setDevicePath(1, QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(ports.devicePath(1), QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(ports.devicePath(2), QStringLiteral("/dev/ttyS1"));
}

TEST(SerialPortsTest, SettingsStringsAreChecked) {
    const SerialPort::LineSettings s = SerialPort::parseSettings(QStringLiteral("4800,e,7,2"));
    EXPECT_EQ(s.baud, 4800);
    EXPECT_EQ(s.parity, 'E');
    EXPECT_EQ(s.dataBits, 7);
    EXPECT_EQ(s.stopBits, 2);
    for (const char* bad : {"9600,N,8", "fast,N,8,1", "9600,X,8,1", "9600,N,9,1", "9600,N,8,3"}) {
        EXPECT_THROW(SerialPort::parseSettings(QString::fromLatin1(bad)), Error) << bad;
    }
}

TEST(SerialPortsTest, APortThatCannotBeOpenedIsAnError) {
    SystemSerialPorts ports;
    ports.setDevicePath(7, QStringLiteral("/nonexistent/ttyS6"));
    auto port = ports.create();
    port->setCommPort(7);
    try {
        port->setPortOpen(true);
        FAIL() << "opened a missing device";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 8002);
    }
    EXPECT_FALSE(port->PortOpen());
    EXPECT_THROW(port->setCommPort(0), Error);
}

TEST(SerialPortsTest, ARealPortOnAPseudoTerminalOpensAndCloses) {
    if (!test::PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
    test::PtyPair pty;
    ASSERT_TRUE(pty.available());
    SystemSerialPorts ports;
    ports.setDevicePath(3, pty.first());
    auto port = ports.create();
    port->setCommPort(3);
    port->setPortOpen(true);  // the drop of DTR and RTS after opening cannot fail the open
    EXPECT_TRUE(port->PortOpen());
    EXPECT_THROW(port->setCommPort(4), Error);     // not while open
    EXPECT_THROW(port->setPortOpen(true), Error);  // already open
    // A pseudo-terminal carries no modem lines: keying through it is an error, not silence.
    SerialKeyingLine rts(*port, SerialSignal::Rts);
    EXPECT_THROW(rts.setKeyDown(true), Error);
    port->setPortOpen(false);
    EXPECT_FALSE(port->PortOpen());
    port->setPortOpen(false);  // closing a closed port does nothing
    // Reopened after closing: the lock of the first open is gone.
    port->setPortOpen(true);
    EXPECT_TRUE(port->PortOpen());
}

// The real port with what its open asks of the device written down: a pseudo-terminal has no
// modem lines and refuses them, so the requests are what can be checked.
class RequestRecordingTtyPort : public TtySerialPort {
  public:
    using TtySerialPort::TtySerialPort;
    QStringList asked;

  protected:
    bool openDevice() override {
        const bool opened = TtySerialPort::openDevice();
        asked << (opened ? QStringLiteral("open") : QStringLiteral("open failed"));
        return opened;
    }
    bool changeLines(bool up, bool dtr, bool rts) override {
        QString what = up ? QStringLiteral("raise") : QStringLiteral("drop");
        if (dtr) what += QStringLiteral(" DTR");
        if (rts) what += QStringLiteral(" RTS");
        asked << what;
        return TtySerialPort::changeLines(up, dtr, rts);
    }
};

TEST(SerialPortsTest, TheRealPortPutsDtrAndRtsWhereWantedRightAfterOpening) {
    if (!test::PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
    test::PtyPair pty;
    ASSERT_TRUE(pty.available());
    SystemSerialPorts ports;
    ports.setDevicePath(3, pty.first());
    // Opening a tty raises both lines; a keyed transmitter must not see them up.
    const struct {
        const char* what;
        bool dtr, rts;  // the flags set while the port was closed
        QStringList asked;
    } cases[] = {
        {"both down", false, false, {"open", "drop DTR RTS"}},
        {"DTR up", true, false, {"open", "drop RTS", "raise DTR"}},
        {"RTS up", false, true, {"open", "drop DTR", "raise RTS"}},
        {"both up", true, true, {"open", "raise DTR RTS"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RequestRecordingTtyPort port(ports);
        port.setCommPort(3);
        port.setDTREnable(c.dtr);
        port.setRTSEnable(c.rts);
        EXPECT_TRUE(port.asked.isEmpty());  // kept for the open
        port.setPortOpen(true);
        EXPECT_EQ(port.asked, c.asked);
        EXPECT_TRUE(port.PortOpen());  // refused lines do not fail the open
    }
}

// A parallel port driver over a recorded port: the control register is base + 2.
class RecordedParallelPort : public ParallelPort {
  public:
    void out(quint16 address, quint8 value) override { writes.push_back({address, value}); }
    std::vector<std::pair<int, int>> writes;
};

TEST(KeyingLineTest, TheParallelLineWritesThreeAndTwoToTheControlRegister) {
    RecordedParallelPort port;
    ParallelKeyingLine line(port, 0x378);
    line.setKeyDown(true);
    line.setKeyDown(false);
    EXPECT_EQ(port.writes, (std::vector<std::pair<int, int>>{{0x37A, 3}, {0x37A, 2}}));
}

TEST(KeyingLineTest, ParallelBasesMapToPpdevDevicesOverridablePerAddress) {
    MapEnvironment env({{QStringLiteral("QUILLFEN_PARPORT_278"), QStringLiteral("/dev/parport3")}});
    PpdevParallelPort port(&env);
    EXPECT_EQ(port.devicePath(0x378), QStringLiteral("/dev/parport0"));
    EXPECT_EQ(port.devicePath(0x278), QStringLiteral("/dev/parport3"));
    EXPECT_EQ(port.devicePath(0x3BC), QStringLiteral("/dev/parport2"));
    EXPECT_TRUE(port.devicePath(0x100).isEmpty());
    port.setDevicePath(0x100, QStringLiteral("/nonexistent/parport9"));
    // A device that cannot be opened, and an address of no known port, are errors.
    EXPECT_THROW(port.out(0x102, 3), Error);
    EXPECT_THROW(port.out(0x500, 3), Error);
}

}  // namespace
}  // namespace qf

namespace qf {
namespace {

TEST(SerialPortsTest, SettingsStringsAreReadStrictly) {
    struct Case {
        const char* text;
        int baud;  // 0: refused
    };
    const Case cases[] = {
        {"4800,N,8,2", 4800},   {"56000,N,8,1", 56000}, {"57600,N,8,1", 57600},
        {"1200,o,7,1", 1200},   {"9600,E,8,1.5", 9600}, {"14400,N,8,1", 14400},
        {"56000", 0},           {"4800,N,8", 0},        {" 4800,N,8,2", 0},
        {"+4800,N,8,2", 0},     {"4801,N,8,2", 0},      {"4800,N,8,2,", 0},
        {"4800, N,8,2", 0},     {"4800,N,08,2", 0},     {"4800,N,8,1.0", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        if (c.baud == 0) {
            EXPECT_THROW(SerialPort::parseSettings(text), Error) << c.text;
        } else {
            EXPECT_EQ(SerialPort::parseSettings(text).baud, c.baud) << c.text;
        }
    }
}

constexpr int kWaitMs = 2000;

class PtySerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test::PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
        ASSERT_TRUE(pty.available());
        ports.setDevicePath(2, pty.first());
        port = ports.create();
        port->setCommPort(2);
        port->setSettings(QStringLiteral("56000,N,8,1"));
        rig = std::make_unique<test::FakeRig>(pty.second());
        ASSERT_TRUE(rig->isOpen());
    }
    test::PtyPair pty;
    SystemSerialPorts ports;
    std::unique_ptr<SerialPort> port;
    std::unique_ptr<test::FakeRig> rig;
};

TEST_F(PtySerialPortTest, BytesGoOutAndEverythingWaitingIsReadAtOnceAsLatin1) {
    EXPECT_EQ(port->outBufferCount(), 0);
    EXPECT_THROW(port->write("FA;"), Error);  // closed
    EXPECT_THROW(port->readAllLatin1(), Error);
    port->setPortOpen(true);
    port->write(QByteArray::fromHex("fefe64e003fd"));
    ASSERT_TRUE(rig->waitForBytes(6));
    EXPECT_EQ(rig->received().toHex(), QByteArray("fefe64e003fd"));
    EXPECT_EQ(port->readAllLatin1(), QString());

    // Two replies arrive with no event loop between: one read takes both, a byte a character.
    rig->answer("Q1", QByteArray("FA00014025000;"));
    rig->answer("Q2", QByteArray::fromHex("00ff80"));
    port->write("Q1");
    ASSERT_TRUE(rig->waitForBytes(8));
    port->write("Q2");
    ASSERT_TRUE(rig->waitForBytes(10));
    QString got;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            got += port->readAllLatin1();
            return got.size() >= 17;
        },
        kWaitMs));
    EXPECT_EQ(got, QStringLiteral("FA00014025000;") + QChar(0) + QChar(0xFF) + QChar(0x80));

    // Discarded input is gone: the first read after the discard starts with what the rig sent
    // after it. The rig answers in one write, so the junk is whole once the port is readable.
    rig->answer("Q3", "junk");
    port->write("Q3");
    ASSERT_TRUE(rig->waitForBytes(12));
    ASSERT_TRUE(port->waitForBytes(kWaitMs));
    port->discardInput();
    rig->send("next");
    QString after;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            after += port->readAllLatin1();
            return after.size() >= 4;
        },
        kWaitMs));
    EXPECT_EQ(after, QStringLiteral("next"));
}

TEST_F(PtySerialPortTest, HandshakingIsKeptThroughClosesUntilSetAgain) {
    port->setHandshaking(SerialPort::Handshake::RtsCts);
    port->setPortOpen(true);
    EXPECT_TRUE(test::FakeRig::hasRtsCts(pty.first()));
    port->setPortOpen(false);
    port->setPortOpen(true);
    EXPECT_EQ(port->Handshaking(), SerialPort::Handshake::RtsCts);
    EXPECT_TRUE(test::FakeRig::hasRtsCts(pty.first()));
    port->setHandshaking(SerialPort::Handshake::None);
    EXPECT_FALSE(test::FakeRig::hasRtsCts(pty.first()));
}

TEST_F(PtySerialPortTest, AVanishedPeerFailsTheNextReadOrWriteAsAClosedPort) {
    port->setPortOpen(true);
    rig.reset();
    pty.end();
    int error = 0;
    const bool failed = QTest::qWaitFor(
        [&] {
            try {
                (void)port->readAllLatin1();
                return false;
            } catch (const Error& e) {
                error = e.number();
                return true;
            }
        },
        kWaitMs);
    ASSERT_TRUE(failed) << "the read went on after the peer had gone";
    EXPECT_EQ(error, 8018);
    EXPECT_FALSE(port->PortOpen());
    EXPECT_THROW(port->write("FA;"), Error);
    EXPECT_EQ(port->outBufferCount(), 0);
}

}  // namespace
}  // namespace qf
