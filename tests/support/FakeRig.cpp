#include "support/FakeRig.h"

#include <QElapsedTimer>
#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace qf::test {

FakeRig::FakeRig(const QString& devicePath) {
    fd_ = ::open(QFile::encodeName(devicePath).constData(),
                 O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return;
    termios t{};
    if (::tcgetattr(fd_, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(fd_, TCSANOW, &t);
    }
}

FakeRig::~FakeRig() {
    if (fd_ >= 0) ::close(fd_);
}

void FakeRig::pump() {
    if (fd_ < 0) return;
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n <= 0) break;
        received_.append(buf, n);
        for (const auto& [query, reply] : script_) {
            if (received_.endsWith(query) && !reply.isEmpty())
                (void)!::write(fd_, reply.constData(), static_cast<size_t>(reply.size()));
        }
    }
}

bool FakeRig::waitForBytes(int n, int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        pump();
        if (received_.size() >= n) return true;
        const qint64 left = timeoutMs - waited.elapsed();
        if (left <= 0 || fd_ < 0) return false;
        pollfd p{fd_, POLLIN, 0};
        (void)::poll(&p, 1, static_cast<int>(std::min<qint64>(left, 50)));
    }
}

bool FakeRig::staysQuiet(int quietMs) {
    const qsizetype before = received_.size();
    if (fd_ >= 0) {
        pollfd p{fd_, POLLIN, 0};
        (void)::poll(&p, 1, quietMs);
    }
    pump();
    return received_.size() == before;
}

QByteArray FakeRig::receivedUntilQuiet() {
    for (int i = 0; i < 20 && !staysQuiet(150); ++i) {
    }
    return received_;
}

void FakeRig::send(const QByteArray& bytes) {
    if (fd_ >= 0) (void)!::write(fd_, bytes.constData(), static_cast<size_t>(bytes.size()));
}

QByteArray FakeRig::kenwoodFrequency(qint64 hz, char vfo) {
    return "F" + QByteArray(1, vfo) + QByteArray::number(hz).rightJustified(11, '0') + ";";
}

QByteArray FakeRig::kenwoodMode(char digit) {
    return "MD" + QByteArray(1, digit) + ";";
}

QByteArray FakeRig::kenwoodStatus(qint64 hz, char modeDigit, char vfoDigit) {
    // Step, RIT offset, RIT and XIT, memory channel, transmit: sixteen characters in all.
    return "IF" + QByteArray::number(hz).rightJustified(11, '0') + "00000+0000000000" +
           QByteArray(1, modeDigit) + QByteArray(1, vfoDigit) + "0000;";
}

QByteArray FakeRig::ftdx9000Frequency(qint64 hz) {
    return "FA" + QByteArray::number(hz).rightJustified(8, '0') + ";";
}

QByteArray FakeRig::ftdx9000Mode(char mode) {
    return "MD0" + QByteArray(1, mode) + ";";
}

QByteArray FakeRig::orionFrequency(qint64 hz) {
    return "@AF" + QByteArray::number(hz) + "\r";
}

QByteArray FakeRig::orionMode(char digit) {
    return "@RMM" + QByteArray(1, digit) + "\r";
}

bool FakeRig::hasRtsCts(const QString& devicePath) {
    const int fd = ::open(QFile::encodeName(devicePath).constData(),
                          O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    termios t{};
    const bool on = ::tcgetattr(fd, &t) == 0 && (t.c_cflag & CRTSCTS) != 0;
    ::close(fd);
    return on;
}

}  // namespace qf::test
