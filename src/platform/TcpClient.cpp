#include "platform/TcpClient.h"

#include "platform/Error.h"
#include "platform/Guard.h"

#include <QTcpSocket>

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qf {

int tcpErrorNumber(QAbstractSocket::SocketError error) {
    using E = QAbstractSocket::SocketError;
    switch (error) {
        case E::RemoteHostClosedError:
            return 0;
        case E::HostNotFoundError:
            return tcperr::kHostNotFound;
        case E::ConnectionRefusedError:
            return tcperr::kRefused;
        case E::SocketTimeoutError:
            return tcperr::kTimedOut;
        case E::NetworkError:
            return tcperr::kNetworkUnreachable;
        case E::AddressInUseError:
            return tcperr::kAddressInUse;
        case E::SocketAddressNotAvailableError:
            return tcperr::kAddressNotAvailable;
        case E::UnsupportedSocketOperationError:
            return tcperr::kUnsupported;
        case E::SocketResourceError:
            return tcperr::kNoBufferSpace;
        default:
            break;
    }
    const int code = static_cast<int>(error);
    return tcperr::kOtherErrorBase + (code < 0 ? 999 : code);
}

void TcpClient::setRemotePort(int port) {
    if (port < 0 || port > 65535)
        throw Error(err::kInvalidProperty, QStringLiteral("Invalid property value"));
    remotePort_ = port;
}

void TcpClient::raiseError(int number, const QString& description) {
    errored_ = true;
    if (onError) guarded([&] { onError(number, description); });
}

void TcpClient::deliverData(const QString& text) {
    if (onDataArrival) guarded([&] { onDataArrival(text); });
}

void TcpClient::raiseClose() {
    if (onClose) guarded([&] { onClose(); });
}

SystemTcpClient::SystemTcpClient() : socket_(std::make_unique<QTcpSocket>()) {
    QObject::connect(socket_.get(), &QTcpSocket::readyRead, socket_.get(), [this] {
        const QByteArray bytes = socket_->readAll();
        if (!bytes.isEmpty()) deliverData(QString::fromLatin1(bytes));
    });
    QObject::connect(socket_.get(), &QAbstractSocket::errorOccurred, socket_.get(),
                     [this](QAbstractSocket::SocketError e) { socketError(e); });
    QObject::connect(socket_.get(), &QAbstractSocket::connected, socket_.get(), [this] {
        dropWatch();
        const qintptr fd = socket_->socketDescriptor();
        if (fd >= 0) watch_ = ::fcntl(int(fd), F_DUPFD_CLOEXEC, 0);
    });
    QObject::connect(socket_.get(), &QAbstractSocket::stateChanged, socket_.get(),
                     [this](QAbstractSocket::SocketState s) {
                         if (s == QAbstractSocket::UnconnectedState) dropWatch();
                     });
}

SystemTcpClient::~SystemTcpClient() {
    // No event may reach a handler while the owner is going away.
    onDataArrival = nullptr;
    onError = nullptr;
    socket_->disconnect();
    socket_->abort();
    dropWatch();
}

void SystemTcpClient::Connect() {
    Close();
    inConnect_ = true;
    socket_->connectToHost(RemoteHost(), static_cast<quint16>(RemotePort()));
    inConnect_ = false;
}

void SystemTcpClient::Close() {
    errored_ = false;
    peerClosed_ = false;
    socket_->abort();
    // The socket itself closes only with its last descriptor.
    dropWatch();
}

int SystemTcpClient::State() const {
    if (errored_) return sckError;
    switch (socket_->state()) {
        case QAbstractSocket::HostLookupState:
            return sckResolvingHost;
        case QAbstractSocket::ConnectingState:
            return sckConnecting;
        case QAbstractSocket::ConnectedState:
            return sckConnected;
        case QAbstractSocket::ClosingState:
            return sckClosing;
        default:
            return peerClosed_ ? sckClosing : sckClosed;
    }
}

void SystemTcpClient::SendData(const QString& text) {
    if (State() != sckConnected)
        throw Error(tcperr::kWrongState, QStringLiteral("Wrong protocol or connection state"));
    socket_->write(text.toLatin1());
}

void SystemTcpClient::socketError(QAbstractSocket::SocketError e) {
    const int number = tcpErrorNumber(e);
    if (number == 0) {
        const bool reset = peerReset();
        dropWatch();
        if (reset) {
            raiseError(tcperr::kReset, QStringLiteral("Connection reset by peer"));
            return;
        }
        peerClosed_ = true;
        raiseClose();
        return;
    }
    dropWatch();
    const QString description = socket_->errorString();
    if (!inConnect_) {
        raiseError(number, description);
        return;
    }
    // Found inside Connect(): reported once the caller has finished its own steps, unless the
    // connection was closed or restarted meanwhile.
    errored_ = true;
    QMetaObject::invokeMethod(
        socket_.get(),
        [this, number, description] {
            if (errored_) raiseError(number, description);
        },
        Qt::QueuedConnection);
}

bool SystemTcpClient::peerReset() const {
    if (watch_ < 0) return false;
    tcp_info info{};
    socklen_t len = sizeof info;
    if (::getsockopt(watch_, IPPROTO_TCP, TCP_INFO, &info, &len) != 0) return false;
    // An orderly close leaves the socket waiting for our own close (CLOSE_WAIT); a reset has
    // already closed it.
    return info.tcpi_state == TCP_CLOSE;
}

void SystemTcpClient::dropWatch() {
    if (watch_ >= 0) ::close(watch_);
    watch_ = -1;
}

}  // namespace qf
