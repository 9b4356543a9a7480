// A real transceiver stand-in for the rig tests: Hamlib's dummy rig served by rigctld on
// 127.0.0.1 (port chosen at run time), fronted by rigctlcom, which answers Kenwood-style
// queries on one end of a socat pseudo-terminal pair. The program opens the other end. It is
// ready once "ID;" there answers "ID019;". Debian 12's rigctlcom crashes on some queries (IF;
// and MD; among them): send it FA; and FB; only. Every wait is bounded.
#pragma once

#include "support/PtyPair.h"

#include <QProcess>
#include <QString>

namespace qf::test {

class RigctlPeer {
  public:
    RigctlPeer();
    ~RigctlPeer();
    RigctlPeer(const RigctlPeer&) = delete;
    RigctlPeer& operator=(const RigctlPeer&) = delete;

    // Whether socat, rigctld and rigctlcom are installed (scripts/deps installs them).
    static bool installed();
    // Empty when the peer answers at device().
    const QString& failure() const { return failure_; }
    // The end of the pair the program opens.
    QString device() const { return pty_.first(); }
    // Tunes the dummy rig's current VFO through rigctld; true once it confirmed.
    bool setFrequency(qint64 hz);
    // The dummy rig's current frequency as rigctld reports it; -1 when it does not answer.
    qint64 frequency();

  private:
    bool probe();
    // Sends one rigctld command and returns its first answer line; empty on failure.
    QByteArray ask(const QByteArray& command);
    void stop(QProcess& p);

    PtyPair pty_;
    QProcess rigctld_;
    QProcess rigctlcom_;
    quint16 port_ = 0;
    QString failure_;
};

}  // namespace qf::test
