#include "platform/Error.h"
#include "platform/KeyingLine.h"
#include "platform/SerialPort.h"
#include "platform/System.h"
#include "support/PtyPair.h"
#include "support/SystemDoubles.h"

#include <gtest/gtest.h>

#include <QFile>

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
