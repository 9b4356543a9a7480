#include "platform/SerialPort.h"

#include "platform/Error.h"
#include "platform/System.h"

#include <QSerialPort>
#include <QStringList>

#include <sys/ioctl.h>
#include <termios.h>

namespace qf {

namespace {

constexpr int kInvalidPortNumber = 8002;
constexpr int kPortAlreadyOpen = 8005;
constexpr int kDeviceIO = 57;
constexpr int kPortNotOpen = 8018;

[[noreturn]] void invalidSettings() {
    throw Error(err::kInvalidProperty, QStringLiteral("Invalid property value"));
}

// A port on a Linux tty through Qt's serial port.
class QtSerialPort : public SerialPort {
  public:
    explicit QtSerialPort(const SerialPorts& ports) : ports_(ports) {}
    ~QtSerialPort() override { closeDevice(); }

  protected:
    bool isOpen() const override { return port_.isOpen(); }

    bool openDevice() override {
        port_.setPortName(ports_.devicePath(CommPort()));
        if (!port_.open(QIODevice::ReadWrite)) return false;
        (void)applyDeviceSettings();
        return true;
    }

    bool applyDeviceSettings() override {
        const LineSettings s = parseSettings(Settings());
        const QSerialPort::Parity parity = s.parity == 'E'   ? QSerialPort::EvenParity
                                           : s.parity == 'O' ? QSerialPort::OddParity
                                           : s.parity == 'M' ? QSerialPort::MarkParity
                                           : s.parity == 'S' ? QSerialPort::SpaceParity
                                                             : QSerialPort::NoParity;
        bool ok = port_.setBaudRate(s.baud);
        ok = port_.setParity(parity) && ok;
        ok = port_.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits)) && ok;
        ok = port_.setStopBits(s.stopBits == 2     ? QSerialPort::TwoStop
                               : s.stopBits == 1.5 ? QSerialPort::OneAndHalfStop
                                                   : QSerialPort::OneStop) &&
             ok;
        ok = port_.setFlowControl(QSerialPort::NoFlowControl) && ok;
        return ok;
    }

    void closeDevice() override {
        if (port_.isOpen()) port_.close();
    }

    bool applyLines(bool dtr, bool rts) override {
        // One ioctl per direction, so lines dropped together fall at the same instant.
        int up = (dtr ? TIOCM_DTR : 0) | (rts ? TIOCM_RTS : 0);
        int down = (dtr ? 0 : TIOCM_DTR) | (rts ? 0 : TIOCM_RTS);
        bool ok = true;
        if (down != 0) ok = ::ioctl(port_.handle(), TIOCMBIC, &down) == 0 && ok;
        if (up != 0) ok = ::ioctl(port_.handle(), TIOCMBIS, &up) == 0 && ok;
        return ok;
    }
    bool applyDtr(bool on) override { return setBit(TIOCM_DTR, on); }
    bool applyRts(bool on) override { return setBit(TIOCM_RTS, on); }

    bool writeDevice(const QByteArray& bytes) override {
        if (port_.write(bytes) != bytes.size()) return false;
        // Written through before returning: the callers time what follows from this moment.
        while (port_.bytesToWrite() > 0) {
            if (!port_.waitForBytesWritten(1000)) return false;
        }
        return true;
    }
    QByteArray readDevice() override {
        // Takes in whatever the device holds without waiting, then hands out all of it.
        (void)port_.waitForReadyRead(0);
        return port_.readAll();
    }
    bool waitDevice(int ms) override {
        if (port_.bytesAvailable() > 0) return true;
        return port_.waitForReadyRead(ms);
    }

  private:
    bool setBit(int bit, bool on) {
        return ::ioctl(port_.handle(), on ? TIOCMBIS : TIOCMBIC, &bit) == 0;
    }

    const SerialPorts& ports_;
    QSerialPort port_;
};

}  // namespace

void SerialPort::setCommPort(int number) {
    if (isOpen()) throw Error(kPortAlreadyOpen, QStringLiteral("Port already open"));
    if (number < 1 || number > 255)
        throw Error(kInvalidPortNumber, QStringLiteral("Invalid port number"));
    commPort_ = number;
}

void SerialPort::setSettings(const QString& settings) {
    (void)parseSettings(settings);
    settings_ = settings;
}

SerialPort::LineSettings SerialPort::parseSettings(const QString& settings) {
    const QStringList f = settings.split(QLatin1Char(','));
    if (f.size() != 4) invalidSettings();
    LineSettings s;
    bool ok = false;
    s.baud = f[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0) invalidSettings();
    const QString parity = f[1].trimmed().toUpper();
    if (parity.size() != 1 || !QStringLiteral("NEOMS").contains(parity)) invalidSettings();
    s.parity = parity[0].toLatin1();
    s.dataBits = f[2].trimmed().toInt(&ok);
    if (!ok || s.dataBits < 5 || s.dataBits > 8) invalidSettings();
    s.stopBits = f[3].trimmed().toDouble(&ok);
    if (!ok || (s.stopBits != 1 && s.stopBits != 1.5 && s.stopBits != 2)) invalidSettings();
    return s;
}

void SerialPort::setPortOpen(bool open) {
    if (!open) {
        closeDevice();
        return;
    }
    if (isOpen()) throw Error(kPortAlreadyOpen, QStringLiteral("Port already open"));
    if (!openDevice()) throw Error(kInvalidPortNumber, QStringLiteral("Invalid port number"));
    // The open raised both lines; put them where the port's flags say, at once. A device
    // without modem lines (a pseudo-terminal) cannot, and is still a usable port.
    (void)applyLines(dtr_, rts_);
}

void SerialPort::writeBytes(const QByteArray& bytes) {
    if (!isOpen()) throw Error(kPortNotOpen, QStringLiteral("Operation valid only when the port is open"));
    if (!writeDevice(bytes)) throw Error(kDeviceIO, QStringLiteral("Device I/O error"));
}

void SerialPort::applySettings() {
    if (!isOpen()) throw Error(kPortNotOpen, QStringLiteral("Operation valid only when the port is open"));
    if (!applyDeviceSettings()) invalidSettings();
}

QByteArray SerialPort::readBytes() {
    if (!isOpen()) throw Error(kPortNotOpen, QStringLiteral("Operation valid only when the port is open"));
    return readDevice();
}

bool SerialPort::waitForBytes(int ms) {
    if (!isOpen()) throw Error(kPortNotOpen, QStringLiteral("Operation valid only when the port is open"));
    return waitDevice(ms);
}

void SerialPort::setDTREnable(bool on) {
    dtr_ = on;
    if (isOpen() && !applyDtr(on)) throw Error(kDeviceIO, QStringLiteral("Device I/O error"));
}

void SerialPort::setRTSEnable(bool on) {
    rts_ = on;
    if (isOpen() && !applyRts(on)) throw Error(kDeviceIO, QStringLiteral("Device I/O error"));
}

QString SerialPorts::devicePath(int number) const {
    if (overrides_.contains(number)) return overrides_.value(number);
    if (environment_) {
        const QString env = environment_->value(QStringLiteral("QUILLFEN_COM%1").arg(number));
        if (!env.isEmpty()) return env;
    }
    return deviceFolder_ + QStringLiteral("/ttyS%1").arg(number - 1);
}

std::unique_ptr<SerialPort> SystemSerialPorts::create() {
    return std::make_unique<QtSerialPort>(*this);
}

}  // namespace qf
