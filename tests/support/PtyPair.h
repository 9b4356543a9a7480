// Two connected pseudo-terminals made by socat in a temporary folder, for tests that need a
// real serial port. The wait for socat is bounded; available() is false when socat is not
// installed, so the test can skip.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace qf::test {

class PtyPair {
  public:
    PtyPair();
    // The links made in `folder` instead (a stale pair's links there are replaced): a device
    // plugged back in at the path the program already knows.
    explicit PtyPair(const QString& folder);
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    static bool socatInstalled();
    bool available() const { return ready_; }
    // The two ends' links ("<tmp>/a", "<tmp>/b").
    QString first() const { return folder_ + QStringLiteral("/a"); }
    QString second() const { return folder_ + QStringLiteral("/b"); }
    QString folder() const { return folder_; }
    // Ends socat: both ends go away, as an unplugged rig would.
    void end();

  private:
    void start();

    QTemporaryDir dir_;
    QString folder_;
    QProcess socat_;
    bool ready_ = false;
};

}  // namespace qf::test
