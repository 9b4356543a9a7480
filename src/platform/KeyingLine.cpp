#include "platform/KeyingLine.h"

#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/SerialPort.h"
#include "platform/System.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace qf {

void SerialKeyingLine::setKeyDown(bool down) {
    if (signal_ == SerialSignal::Rts) {
        port_.setRTSEnable(down);
    } else {
        port_.setDTREnable(down);
    }
}

void ParallelKeyingLine::setKeyDown(bool down) {
    port_.out(static_cast<quint16>(base_ + 2), down ? kKeyDown : kKeyUp);
}

PpdevParallelPort::~PpdevParallelPort() {
    for (const auto& [path, fd] : open_) {
        ::ioctl(fd, PPRELEASE);
        ::close(fd);
    }
}

QString PpdevParallelPort::devicePath(quint16 base) const {
    if (overrides_.contains(base)) return overrides_.value(base);
    if (environment_) {
        const QString env =
            environment_->value(QStringLiteral("QUILLFEN_PARPORT_%1").arg(base, 0, 16).toUpper());
        if (!env.isEmpty()) return env;
    }
    switch (base) {
        case 0x378:
            return QStringLiteral("/dev/parport0");
        case 0x278:
            return QStringLiteral("/dev/parport1");
        case 0x3BC:
            return QStringLiteral("/dev/parport2");
        default:
            return {};
    }
}

int PpdevParallelPort::deviceFor(const QString& path) {
    if (auto it = open_.find(path); it != open_.end()) return it->second;
    const QByteArray native = path.toLocal8Bit();
    const int fd = ::open(native.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) throwErrno(errno, path);
    if (::ioctl(fd, PPCLAIM) != 0) {
        const int e = errno;
        ::close(fd);
        throwErrno(e, path);
    }
    open_[path] = fd;
    return fd;
}

void PpdevParallelPort::out(quint16 address, quint8 value) {
    // The register is found from the base it belongs to: the data register at the base, the
    // control register two above it.
    for (int offset : {0, 2}) {
        if (address < offset) continue;
        const quint16 base = static_cast<quint16>(address - offset);
        const QString path = devicePath(base);
        if (path.isEmpty()) continue;
        const int fd = deviceFor(path);
        unsigned char byte = value;
        if (::ioctl(fd, offset == 0 ? PPWDATA : PPWCONTROL, &byte) != 0) throwErrno(errno, path);
        return;
    }
    throw Error(err::kInvalidCall, QStringLiteral("No parallel port at address %1").arg(address));
}

std::unique_ptr<KeyingLine> SystemKeyingLines::serialLine(SerialPort& port, SerialSignal signal) {
    return std::make_unique<SerialKeyingLine>(port, signal);
}

std::unique_ptr<KeyingLine> SystemKeyingLines::parallelLine(quint16 baseAddress) {
    return std::make_unique<ParallelKeyingLine>(parallel_, baseAddress);
}

}  // namespace qf
