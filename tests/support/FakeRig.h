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
    // Everything received until the line has been quiet for 150 ms (a few seconds at most).
    QByteArray receivedUntilQuiet();

    const QByteArray& received() const { return received_; }
    void clearReceived() { received_.clear(); }
    // When the received bytes end with the query, the answer is written back.
    void answer(const QByteArray& query, const QByteArray& reply) { script_[query] = reply; }

    // Bytes the rig sends of its own accord, in one write (a reply's tail arriving late).
    void send(const QByteArray& bytes);

    // Whether a terminal device has RTS/CTS handshaking set (read from its termios).
    static bool hasRtsCts(const QString& devicePath);

    // Replies of the text families.
    // "FA00014074000;": the frequency in Hz, eleven digits; "FB" for VFO B.
    static QByteArray kenwoodFrequency(qint64 hz, char vfo = 'A');
    // "MD3;": the mode digit (3 and 7 CW, 1 and 2 sideband).
    static QByteArray kenwoodMode(char digit);
    // "IF" + eleven digits of Hz + sixteen other characters + the mode and VFO digits + the rest.
    static QByteArray kenwoodStatus(qint64 hz, char modeDigit, char vfoDigit);
    // "FA14074000;": eight digits of Hz; "MD03;": the mode character after "MD0".
    static QByteArray ftdx9000Frequency(qint64 hz);
    static QByteArray ftdx9000Mode(char mode);
    // "@AF14074000" CR and "@RMM3" CR.
    static QByteArray orionFrequency(qint64 hz);
    static QByteArray orionMode(char digit);

  private:
    int fd_ = -1;
    QByteArray received_;
    std::map<QByteArray, QByteArray> script_;
};

}  // namespace qf::test
