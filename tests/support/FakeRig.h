// A fake transceiver on the far end of a socat pseudo-terminal pair: it records every byte the
// program sends and answers queries from a script. It is passive: the test calls pump() (or a
// bounded wait) where the rig would have read, so nothing runs behind the test's back.
#pragma once

#include <QByteArray>
#include <QString>

#include <map>

namespace qf::test {

class FakeRig {
  public:
    // Opens the rig's end of the pair (raw, non-blocking).
    explicit FakeRig(const QString& devicePath);
    ~FakeRig();
    FakeRig(const FakeRig&) = delete;
    FakeRig& operator=(const FakeRig&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // Reads what arrived, records it and answers every scripted query found in it.
    void pump();
    // Pumps until at least n bytes were received in all, at most timeoutMs; true when they were.
    bool waitForBytes(int n, int timeoutMs = 2000);
    // No more bytes arrive within quietMs (for "nothing was sent").
    bool staysQuiet(int quietMs = 200);

    const QByteArray& received() const { return received_; }
    void clearReceived() { received_.clear(); }
    // When the received bytes end with the query, the answer is written back.
    void answer(const QByteArray& query, const QByteArray& reply) { script_[query] = reply; }

    // Whether a terminal device has RTS/CTS handshaking set (read from its termios).
    static bool hasRtsCts(const QString& devicePath);

  private:
    int fd_ = -1;
    QByteArray received_;
    std::map<QByteArray, QByteArray> script_;
};

}  // namespace qf::test
