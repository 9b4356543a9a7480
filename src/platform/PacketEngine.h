// The packet engine client: the spotting window's way to a packet engine (a separate program
// driving a sound card or a TNC) over the engine's public TCP protocol (AgwFrame.h). The four
// calls keep the shape of the engine's client library the window was written against:
//
// - AGWStartPoll connects, registers the own call and waits for the answer, then switches
//   monitoring on. The connect and the answer are each waited for at most 2 s of real time,
//   on the socket itself: no event runs meanwhile, as the library call returned only when done.
//   A refused connection, a time-out or a refused registration give 0. The application name
//   has no place in the protocol and is not sent.
// - AGWGetData hands out one received frame without waiting (0 when there is none). Frames are
//   read from the socket only here, so the window's timer decides when they are taken in.
// - AGWPutData sends 'D' connected text (PID F0), 'c' a connect and 'd' a disconnect request;
//   other kinds ('P') send nothing. AGWClose unregisters the call and closes.
// - A header announcing more than 64 KiB ends the connection before anything is held for it,
//   and at most kQueueLimit received frames wait (the oldest go first), so a broken or hostile
//   peer cannot exhaust memory. A peer that goes away ends the connection; frames already
//   received are still handed out, and only then does sessionEnded() say so, so the window
//   can tell the operator that the feed has stopped.
#pragma once

#include "platform/AgwFrame.h"

#include <QByteArray>
#include <QString>

#include <deque>

namespace qf {

class Environment;

class PacketEngine {
  public:
    virtual ~PacketEngine() = default;
    // Non-zero when the call is registered.
    virtual qint16 AGWStartPoll(const QString& call, const QString& applicationName) = 0;
    // Non-zero when `frame` holds a frame.
    virtual qint16 AGWGetData(PacketEngineFrame& frame) = 0;
    // Non-zero when a frame went out.
    virtual qint16 AGWPutData(const QString& call, const QString& data, qint16 kind) = 0;
    virtual void AGWClose() = 0;
    // True when a session that AGWStartPoll opened has ended from the engine's side (closed,
    // reset, a broken frame, a send that failed) and every frame received before has been
    // handed out. False again after AGWClose or the next AGWStartPoll.
    virtual bool sessionEnded() const = 0;
};

class TcpPacketEngine : public PacketEngine {
  public:
    static constexpr int kWaitMs = 2000;
    static constexpr std::size_t kQueueLimit = 4096;
    static constexpr quint16 kDefaultPort = 8000;

    // The engine's address: the environment's QUILLFEN_AGW_HOST and QUILLFEN_AGW_PORT when
    // set, else 127.0.0.1 and 8000.
    explicit TcpPacketEngine(const Environment* environment = nullptr);
    ~TcpPacketEngine() override;
    TcpPacketEngine(const TcpPacketEngine&) = delete;
    TcpPacketEngine& operator=(const TcpPacketEngine&) = delete;

    // Used at the next AGWStartPoll.
    void setEndpoint(const QString& host, quint16 port);
    const QString& host() const { return host_; }
    quint16 port() const { return port_; }
    bool connected() const { return fd_ >= 0; }
    // How many received frames may wait; kQueueLimit unless a test sets a small one.
    void setQueueLimit(std::size_t frames) { queueLimit_ = frames; }

    qint16 AGWStartPoll(const QString& call, const QString& applicationName) override;
    qint16 AGWGetData(PacketEngineFrame& frame) override;
    qint16 AGWPutData(const QString& call, const QString& data, qint16 kind) override;
    void AGWClose() override;
    bool sessionEnded() const override { return session_ && !connected() && queue_.empty(); }

  private:
    bool connectWithin(int ms);
    bool sendFrame(const agw::Frame& frame);
    // Takes in what waits on the socket, without waiting. When `registration` is given, the
    // answer to the registration is put there instead of being swallowed.
    void takeIn(int* registration = nullptr);
    // Splits the bytes taken in into frames; false when the peer announced too much.
    bool splitFrames(int* registration);
    void drop();

    QString host_;
    quint16 port_;
    int fd_ = -1;
    QString ownCall_;
    QByteArray in_;  // received bytes not yet a whole frame
    std::deque<PacketEngineFrame> queue_;
    std::size_t queueLimit_ = kQueueLimit;
    bool session_ = false;  // registered by AGWStartPoll, not yet closed by AGWClose
};

}  // namespace qf
