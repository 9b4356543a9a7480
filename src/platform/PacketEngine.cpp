#include "platform/PacketEngine.h"

#include "platform/System.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>

namespace qf {

namespace {

using Steady = std::chrono::steady_clock;

int msLeft(Steady::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Steady::now()).count();
    return left > 0 ? int(left) : 0;
}

// Waits for `events` on the socket until the deadline; false on a time-out.
bool waitFor(int fd, short events, Steady::time_point deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, msLeft(deadline));
        if (r > 0) return true;
        if (r == 0) return false;
        if (errno != EINTR) return false;
    }
}

// Bytes taken from the socket in one fetch at most: a peer that sends without pause cannot keep
// the fetch from returning.
constexpr qsizetype kChunkBytes = 64 * 1024;
constexpr qsizetype kFetchBytes = 16 * kChunkBytes;

}  // namespace

TcpPacketEngine::TcpPacketEngine(const Environment* environment)
    : host_(QStringLiteral("127.0.0.1")), port_(kDefaultPort) {
    if (!environment) return;
    const QString host = environment->value(QStringLiteral("QUILLFEN_AGW_HOST")).trimmed();
    if (!host.isEmpty()) host_ = host;
    bool ok = false;
    const uint port = environment->value(QStringLiteral("QUILLFEN_AGW_PORT")).trimmed().toUInt(&ok);
    if (ok && port > 0 && port <= 65535) port_ = quint16(port);
}

TcpPacketEngine::~TcpPacketEngine() {
    drop();
}

void TcpPacketEngine::setEndpoint(const QString& host, quint16 port) {
    host_ = host;
    port_ = port;
}

bool TcpPacketEngine::connectWithin(int ms) {
    const auto deadline = Steady::now() + std::chrono::milliseconds(ms);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const QByteArray host = host_.toLatin1();
    const QByteArray port = QByteArray::number(port_);
    if (::getaddrinfo(host.constData(), port.constData(), &hints, &found) != 0) return false;
    for (addrinfo* a = found; a && fd_ < 0; a = a->ai_next) {
        const int fd =
            ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        bool ok = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0;
        if (!ok && errno == EINPROGRESS && waitFor(fd, POLLOUT, deadline)) {
            int error = 0;
            socklen_t len = sizeof error;
            ok = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0;
        }
        if (ok) {
            const int one = 1;  // frames are small and each stands alone
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            fd_ = fd;
        } else {
            ::close(fd);
        }
    }
    ::freeaddrinfo(found);
    return fd_ >= 0;
}

qint16 TcpPacketEngine::AGWStartPoll(const QString& call, const QString& /*applicationName*/) {
    // A second start begins a fresh session rather than stacking registrations.
    if (connected()) AGWClose();
    session_ = false;
    queue_.clear();
    in_.clear();
    ownCall_ = call;
    if (call.isEmpty() || !connectWithin(kWaitMs)) return 0;
    if (!sendFrame(agw::registration(call))) return 0;
    const auto deadline = Steady::now() + std::chrono::milliseconds(kWaitMs);
    int answer = -1;
    while (connected() && answer < 0 && waitFor(fd_, POLLIN, deadline)) takeIn(&answer);
    if (answer <= 0) {
        drop();
        return 0;
    }
    if (!sendFrame(agw::monitorOn())) return 0;
    session_ = true;
    return 1;
}

qint16 TcpPacketEngine::AGWGetData(PacketEngineFrame& frame) {
    takeIn();
    if (queue_.empty()) return 0;
    frame = std::move(queue_.front());
    queue_.pop_front();
    return 1;
}

qint16 TcpPacketEngine::AGWPutData(const QString& call, const QString& data, qint16 kind) {
    if (!connected()) return 0;
    const std::optional<agw::Frame> frame = agw::outgoing(ownCall_, call, data, kind);
    if (!frame) return 0;
    return sendFrame(*frame) ? 1 : 0;
}

void TcpPacketEngine::AGWClose() {
    if (connected()) sendFrame(agw::unregistration(ownCall_));
    drop();
    queue_.clear();
    session_ = false;
}

bool TcpPacketEngine::sendFrame(const agw::Frame& frame) {
    if (!connected()) return false;
    const QByteArray bytes = agw::encode(frame);
    const auto deadline = Steady::now() + std::chrono::milliseconds(kWaitMs);
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd_, bytes.constData() + sent, size_t(bytes.size() - sent),
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) &&
                   waitFor(fd_, POLLOUT, deadline)) {
            continue;
        } else {
            // A peer that takes nothing for 2 s, or has gone: the session is over.
            drop();
            return false;
        }
    }
    return true;
}

void TcpPacketEngine::takeIn(int* registration) {
    qsizetype taken = 0;
    QByteArray chunk(kChunkBytes, Qt::Uninitialized);
    while (connected() && taken < kFetchBytes) {
        const ssize_t n = ::recv(fd_, chunk.data(), size_t(chunk.size()), MSG_DONTWAIT);
        if (n > 0) {
            taken += n;
            in_.append(chunk.constData(), n);
            if (!splitFrames(registration)) return;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        } else {
            drop();  // the peer closed, or the connection failed
            return;
        }
    }
}

bool TcpPacketEngine::splitFrames(int* registration) {
    qsizetype at = 0;
    agw::Frame frame;
    for (;;) {
        qsizetype used = 0;
        const agw::Decoded d = agw::decode(QByteArrayView(in_).sliced(at), frame, used);
        if (d == agw::Decoded::Oversized) {
            drop();
            return false;
        }
        if (d == agw::Decoded::Incomplete) break;
        at += used;
        if (registration && frame.kind == 'X') {
            *registration = !frame.data.isEmpty() && frame.data[0] != '\0' ? 1 : 0;
            continue;
        }
        if (std::optional<PacketEngineFrame> out = agw::delivered(frame)) {
            queue_.push_back(std::move(*out));
            if (queue_.size() > queueLimit_) queue_.pop_front();
        }
    }
    in_.remove(0, at);
    return true;
}

void TcpPacketEngine::drop() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    in_.clear();
    in_.squeeze();
}

}  // namespace qf
