// A WinKey keyer for the tests, on the far end of a real pseudo-terminal pair made by socat.
// It runs on its own thread, so it answers while the program waits on the port: the echo test,
// host open (with its version byte) and close, and status requests with the status the test
// has set. Text sent to it while idle is keyed at once: it says busy, then idle, by itself, as a
// keyer reports each change of its own. It records every byte it receives with the real time of its
// arrival, and can echo wrongly, ignore host open, fall silent altogether (and answer again), or be
// unplugged.
#pragma once

#include "support/PtyPair.h"

#include <QByteArray>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace qf::test {

class WinKeyEmulator {
  public:
    enum class Echo { Right, Wrong, None };
    struct Byte {
        quint8 value;
        qint64 ms;  // real milliseconds since the emulator started
    };

    WinKeyEmulator();
    ~WinKeyEmulator();
    WinKeyEmulator(const WinKeyEmulator&) = delete;
    WinKeyEmulator& operator=(const WinKeyEmulator&) = delete;

    bool available() const { return fd_ >= 0; }
    // The device the program opens.
    QString programEnd() const { return pty_.first(); }

    void setEcho(Echo echo);
    void setAnswersOpen(bool on);
    void setVersion(quint8 version);
    // The status flags (0 idle, 4 busy, 5 busy with XOFF) answered from now on; sent at once.
    void setStatus(quint8 flags);
    // Answers the next `requests` status requests with busy and XOFF, then idle.
    void holdXoff(int requests);
    // Answers nothing from now on, until answerAgain().
    void fallSilent();
    void answerAgain();
    // Its device goes away, as a keyer pulled from its USB socket.
    void unplug();

    // Every byte received so far.
    QByteArray received() const;
    // The same without the status requests, which come as the driver needs them.
    QByteArray textAndCommands() const { return received().replace(char(0x15), ""); }
    std::vector<Byte> log() const;
    // Waits (real time, bounded) until at least `count` bytes have arrived.
    bool waitForBytes(int count, int ms = 3000) const;
    void clear();

  private:
    void run();
    // Takes one byte in; appends any answer to `out`.
    void take(quint8 b, QByteArray& out);

    PtyPair pty_;
    int fd_ = -1;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<Byte> log_;
    Echo echo_ = Echo::Right;
    bool answersOpen_ = true;
    bool silent_ = false;
    quint8 version_ = 23;
    quint8 status_ = 0;
    int xoffRequests_ = 0;
    QByteArray pendingOut_;
    // Parser state: the command waiting for parameters and how many are still to come.
    int command_ = -1;
    bool admin_ = false;
    int paramsLeft_ = 0;
    qint64 startMs_ = 0;
};

}  // namespace qf::test
