#include "platform/SerialPort.h"

#include "platform/Error.h"
#include "platform/System.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <iterator>

#include <cerrno>

#include <fcntl.h>
#include <asm/ioctls.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace qf {

namespace {

constexpr int kInvalidPortNumber = 8002;
constexpr int kPortAlreadyOpen = 8005;
constexpr int kDeviceIO = 57;
constexpr int kPortNotOpen = 8018;

[[noreturn]] void portNotOpen() {
    throw Error(kPortNotOpen, QStringLiteral("Operation valid only when the port is open"));
}

[[noreturn]] void invalidSettings() {
    throw Error(err::kInvalidProperty, QStringLiteral("Invalid property value"));
}

// The kernel's termios with arbitrary rates (linux/asm termbits), declared here because its
// header cannot be included beside <termios.h>.
struct termios2 {
    tcflag_t c_iflag, c_oflag, c_cflag, c_lflag;
    cc_t c_line;
    cc_t c_cc[19];
    speed_t c_ispeed, c_ospeed;
};
constexpr tcflag_t kBother = 0010000;

}  // namespace

TtySerialPort::TtySerialPort(const SerialPorts& ports) : ports_(ports) {}

TtySerialPort::~TtySerialPort() {
    closeDevice();
}

bool TtySerialPort::isOpen() const {
    return fd_ >= 0;
}

bool TtySerialPort::openDevice() {
    const LineSettings s = parseSettings(Settings());
    const QByteArray path = QFile::encodeName(ports_.devicePath(CommPort()));
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // One opener at a time, as on the original ports: in use elsewhere is a failed open.
    if (!::isatty(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || !configure(fd, s)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void TtySerialPort::closeDevice() {
    if (fd_ < 0) return;
    (void)::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

bool TtySerialPort::applyLines(bool dtr, bool rts) {
    // One request per direction, so lines dropped together fall at the same instant.
    bool ok = true;
    if (!dtr || !rts) ok = changeLines(false, !dtr, !rts) && ok;
    if (dtr || rts) ok = changeLines(true, dtr, rts) && ok;
    return ok;
}

bool TtySerialPort::applyDtr(bool on) {
    return changeLines(on, true, false);
}

bool TtySerialPort::applyRts(bool on) {
    return changeLines(on, false, true);
}

bool TtySerialPort::changeLines(bool up, bool dtr, bool rts) {
    int bits = (dtr ? TIOCM_DTR : 0) | (rts ? TIOCM_RTS : 0);
    return ::ioctl(fd_, up ? TIOCMBIS : TIOCMBIC, &bits) == 0;
}

bool TtySerialPort::applyHandshaking(Handshake h) {
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) return false;
    t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    if (h == Handshake::RtsCts || h == Handshake::Both) t.c_cflag |= CRTSCTS;
    if (h == Handshake::XonXoff || h == Handshake::Both) t.c_iflag |= IXON | IXOFF;
    return ::tcsetattr(fd_, TCSANOW, &t) == 0;
}

qint64 TtySerialPort::readDevice(QByteArray& into) {
    char buf[1024];
    qint64 total = 0;
    for (;;) {
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) {
            into.append(buf, n);
            total += n;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return total;
        // End of file on a tty is a hang-up; any other error a device gone.
        return -1;
    }
}

qint64 TtySerialPort::writeDevice(const QByteArray& bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(fd_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // The output queue is full: wait for room, bounded so a stuck line ends it.
            pollfd p{fd_, POLLOUT, 0};
            if (::poll(&p, 1, 2000) <= 0 || (p.revents & (POLLERR | POLLHUP)) != 0) return -1;
        } else {
            return -1;
        }
    }
    return done;
}

void TtySerialPort::flushInput() {
    (void)::tcflush(fd_, TCIFLUSH);
}

int TtySerialPort::pendingOutput() const {
    int n = 0;
    if (::ioctl(fd_, TIOCOUTQ, &n) != 0) return 0;
    return n;
}

bool TtySerialPort::waitReadable(int ms) {
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, std::max(0, ms)) > 0 && (p.revents & POLLIN) != 0;
}

bool TtySerialPort::reconfigure() {
    return configure(fd_, parseSettings(Settings())) && applyHandshaking(Handshaking());
}

// Raw 8-bit line, reads that never wait, then the exact rate (56000 is no standard speed, so it
// goes through the kernel's arbitrary-rate request).
bool TtySerialPort::configure(int fd, const LineSettings& s) {
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return false;
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
    t.c_cflag |= s.dataBits == 5 ? CS5 : s.dataBits == 6 ? CS6 : s.dataBits == 7 ? CS7 : CS8;
    if (s.stopBits != 1) t.c_cflag |= CSTOPB;
    if (s.parity != 'N') t.c_cflag |= PARENB;
    if (s.parity == 'O' || s.parity == 'M') t.c_cflag |= PARODD;
    if (s.parity == 'M' || s.parity == 'S') t.c_cflag |= CMSPAR;
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    // VMIN 1 on a descriptor that never waits: no data reads as EAGAIN, so an end of file can
    // only mean a hang-up.
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    if (::tcsetattr(fd, TCSANOW, &t) != 0) return false;
    termios2 t2{};
    if (::ioctl(fd, TCGETS2, &t2) != 0) return false;
    t2.c_cflag &= ~static_cast<tcflag_t>(CBAUD);
    t2.c_cflag |= kBother;
    t2.c_ispeed = static_cast<speed_t>(s.baud);
    t2.c_ospeed = static_cast<speed_t>(s.baud);
    return ::ioctl(fd, TCSETS2, &t2) == 0;
}

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
    // Strict: no blanks, no signs, only the rates a port offers; "56000" is 56000, not 57600.
    static const int kRates[] = {110,   300,   600,   1200,   2400,   4800,   9600,  14400,
                                 19200, 28800, 38400, 56000, 57600, 115200, 128000, 256000};
    const QStringList f = settings.split(QLatin1Char(','));
    if (f.size() != 4) invalidSettings();
    auto digits = [](const QString& t) {
        if (t.isEmpty()) return false;
        for (QChar c : t)
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
        return true;
    };
    LineSettings s;
    if (!digits(f[0])) invalidSettings();
    s.baud = f[0].toInt();
    if (std::find(std::begin(kRates), std::end(kRates), s.baud) == std::end(kRates))
        invalidSettings();
    const QString parity = f[1].toUpper();
    if (parity.size() != 1 || !QStringLiteral("NEOMS").contains(parity)) invalidSettings();
    s.parity = parity[0].toLatin1();
    if (f[2].size() != 1 || !digits(f[2])) invalidSettings();
    s.dataBits = f[2].toInt();
    if (s.dataBits < 5 || s.dataBits > 8) invalidSettings();
    if (f[3] == QLatin1String("1")) {
        s.stopBits = 1;
    } else if (f[3] == QLatin1String("1.5")) {
        s.stopBits = 1.5;
    } else if (f[3] == QLatin1String("2")) {
        s.stopBits = 2;
    } else {
        invalidSettings();
    }
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
    if (handshaking_ != Handshake::None && !applyHandshaking(handshaking_)) {
        closeDevice();
        throw Error(kDeviceIO, QStringLiteral("Device I/O error"));
    }
}

void SerialPort::setHandshaking(Handshake h) {
    handshaking_ = h;
    if (isOpen() && !applyHandshaking(h)) throw Error(kDeviceIO, QStringLiteral("Device I/O error"));
}

QString SerialPort::readAllLatin1() {
    if (!isOpen()) portNotOpen();
    QByteArray data;
    if (readDevice(data) < 0) {
        closeDevice();
        portNotOpen();
    }
    return QString::fromLatin1(data);
}

void SerialPort::discardInput() {
    if (isOpen()) flushInput();
}

void SerialPort::write(const QByteArray& bytes) {
    if (!isOpen()) portNotOpen();
    if (writeDevice(bytes) < 0) {
        closeDevice();
        portNotOpen();
    }
}

int SerialPort::outBufferCount() const { return isOpen() ? pendingOutput() : 0; }

void SerialPort::writeBytes(const QByteArray& bytes) {
    write(bytes);
    // Written through before returning, as the keyer's callers time what follows from here;
    // bounded, so a stalled device cannot hold the program.
    QElapsedTimer waited;
    waited.start();
    while (outBufferCount() > 0 && waited.elapsed() < 1000) ::usleep(500);
}

QByteArray SerialPort::readBytes() { return readAllLatin1().toLatin1(); }

bool SerialPort::waitForBytes(int ms) {
    if (!isOpen()) portNotOpen();
    return waitReadable(ms);
}

void SerialPort::applySettings() {
    if (!isOpen()) portNotOpen();
    if (!reconfigure()) invalidSettings();
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
    return std::make_unique<TtySerialPort>(*this);
}

}  // namespace qf
