// A small packet engine for the tests: a QTcpServer on 127.0.0.1 at a port chosen at run time,
// on its own thread, so it answers while the program waits on the socket without running
// events. It answers registrations (or refuses them, or stays silent), sends frames when the
// test says so, and records every frame it receives.
#pragma once

#include "platform/AgwFrame.h"

#include <QByteArray>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace qf::test {

class FakePacketEngine {
  public:
    enum class Registration { Accept, Refuse, Ignore };

    FakePacketEngine();
    ~FakePacketEngine();
    FakePacketEngine(const FakePacketEngine&) = delete;
    FakePacketEngine& operator=(const FakePacketEngine&) = delete;

    quint16 port() const { return port_; }
    void setRegistration(Registration r);

    // Sends to the connected client; true once its side has taken the bytes in (bounded wait).
    bool send(const agw::Frame& frame);
    bool send(const std::vector<agw::Frame>& frames);
    bool sendRaw(const QByteArray& bytes);
    // Ends the connection from the engine's side, after what was sent; true once it is closed.
    bool closeClient();

    // Every frame received, in order; their kinds as a string ("Xm").
    std::vector<agw::Frame> received() const;
    QByteArray kinds() const;
    void clearReceived();
    // Bounded waits in real time.
    bool waitForFrames(std::size_t count, int ms = 3000) const;
    bool waitForClient(int ms = 3000) const;
    bool waitForNoClient(int ms = 3000) const;
    bool clientConnected() const { return connected_; }
    int connections() const { return connections_; }

  private:
    void run();

    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> connected_{false};
    std::atomic<int> connections_{0};
    quint16 port_ = 0;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    Registration registration_ = Registration::Accept;
    std::vector<agw::Frame> received_;
    QByteArray outbox_;
    quint64 queued_ = 0;   // sends asked for
    quint64 written_ = 0;  // sends that have left
    bool ready_ = false;
    bool closeAsked_ = false;
};

}  // namespace qf::test
