// The TCP client service: the one way the program talks to a server over TCP (the DX cluster).
// It has the shape the spotting window was written against: a remote host and port, a connect
// that returns at once and completes later, a close, a state number (7 while connected), a
// send, and two events on the user-interface thread: data arrival, carrying everything waiting
// as Latin-1 text, and an error, carrying the classic socket error number.
//
// - Nothing here blocks: host lookup, connect and reading all run in the event loop.
// - An error found while Connect() itself runs is reported after it returns, never inside it,
//   so the caller's "attempting" notice is always in place before the failure lands.
// - A server that ends the connection in order raises the close event; the state then reads 8
//   (closing) until the next Close() or Connect(). Qt reports a reset as a close too; it is
//   told apart from the socket's own TCP state and raised as error 10054 instead.
// - Qt's errors map to the socket numbers below; any other error gets a number of ours at
//   kOtherErrorBase and up, outside every number the program has a text for.
#pragma once

#include <QAbstractSocket>
#include <QString>

#include <functional>
#include <memory>

class QTcpSocket;

namespace qf {

namespace tcperr {
constexpr int kAddressInUse = 10048;
constexpr int kAddressNotAvailable = 10049;
constexpr int kNetworkUnreachable = 10051;
constexpr int kNoBufferSpace = 10055;
constexpr int kTimedOut = 10060;
constexpr int kRefused = 10061;
constexpr int kReset = 10054;
constexpr int kUnsupported = 10043;
constexpr int kHostNotFound = 11001;
constexpr int kWrongState = 40006;      // send while not connected
constexpr int kOtherErrorBase = 20000;  // + Qt's error code (unknown: + 999)
}  // namespace tcperr

// The error number of a Qt socket error; 0 for a close by the remote host (the close event, or
// a reset, which the client tells apart itself).
int tcpErrorNumber(QAbstractSocket::SocketError error);

class TcpClient {
  public:
    enum StateValue {
        sckClosed = 0,
        sckResolvingHost = 4,
        sckConnecting = 6,
        sckConnected = 7,
        sckClosing = 8,
        sckError = 9,
    };

    virtual ~TcpClient() = default;

    const QString& RemoteHost() const { return remoteHost_; }
    void setRemoteHost(const QString& host) { remoteHost_ = host; }
    int RemotePort() const { return remotePort_; }
    // 0 to 65535 (Error 380 otherwise).
    void setRemotePort(int port);

    // Starts connecting to RemoteHost:RemotePort, closing any earlier connection first.
    virtual void Connect() = 0;
    // Closes whatever is open or under way; nothing when closed. No event follows.
    virtual void Close() = 0;
    virtual int State() const = 0;
    // Sends the text, a byte per character (Latin-1). Error 40006 unless connected.
    virtual void SendData(const QString& text) = 0;

    // Events. Each runs on the user-interface thread; an exception from a handler is reported
    // by the kit's slot boundary and never reaches the socket.
    std::function<void(const QString& text)> onDataArrival;
    std::function<void(int number, const QString& description)> onError;
    // The server ended the connection in order; whatever it sent before has arrived.
    std::function<void()> onClose;

  protected:
    // Delivers an error event (the state reads 9 until Close or Connect).
    void raiseError(int number, const QString& description);
    void deliverData(const QString& text);
    void raiseClose();
    bool errored_ = false;

  private:
    QString remoteHost_;
    int remotePort_ = 0;
};

// The real client over QTcpSocket.
class SystemTcpClient : public TcpClient {
  public:
    SystemTcpClient();
    ~SystemTcpClient() override;
    void Connect() override;
    void Close() override;
    int State() const override;
    void SendData(const QString& text) override;

  private:
    void socketError(QAbstractSocket::SocketError error);
    // True when the far side reset the connection rather than closing it in order.
    bool peerReset() const;
    void dropWatch();
    std::unique_ptr<QTcpSocket> socket_;
    // A second descriptor of the connected socket. Qt closes its own before it reports the far
    // side's close, and reads a reset as a close; this one keeps the socket's TCP state
    // readable until the report is handled.
    int watch_ = -1;
    bool inConnect_ = false;
    bool peerClosed_ = false;
};

class TcpClients {
  public:
    virtual ~TcpClients() = default;
    // A new, closed client.
    virtual std::unique_ptr<TcpClient> create() = 0;
};

class SystemTcpClients : public TcpClients {
  public:
    std::unique_ptr<TcpClient> create() override { return std::make_unique<SystemTcpClient>(); }
};

}  // namespace qf
