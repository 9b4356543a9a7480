// A real packet engine for the tests: direwolf, started in a temporary folder with its audio
// taken from a UDP port on loopback (no sound card) and sent nowhere, its AGW port chosen at run
// time and no KISS port. Packets are made into audio by gen_packets and sent to it over UDP.
// Every wait is bounded; `failure()` says in words why the engine did not come up.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace qf::test {

class DirewolfPeer {
  public:
    DirewolfPeer();
    ~DirewolfPeer();
    DirewolfPeer(const DirewolfPeer&) = delete;
    DirewolfPeer& operator=(const DirewolfPeer&) = delete;

    // Empty when the engine accepts clients on agwPort().
    const QString& failure() const { return failure_; }
    quint16 agwPort() const { return agwPort_; }

    // Sends `packets` (monitor form, "W1AW>DX:text"), one after the other, as audio, again and
    // again (the engine ignores its first second of audio), asking `heard` every 20 ms between
    // the sends, until it says yes or `ms` of real time have passed. True when heard.
    bool playUntil(const QStringList& packets, const std::function<bool()>& heard, int ms = 10000);

    // Ends the engine as an operator would (terminate, then kill), within a bounded wait.
    void stop();

  private:
    QTemporaryDir dir_;
    QProcess process_;
    QString failure_;
    QByteArray output_;
    quint16 agwPort_ = 0;
    quint16 audioPort_ = 0;
};

}  // namespace qf::test
