#include "support/PtyPair.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace qf::test {

bool PtyPair::socatInstalled() {
    return !QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty();
}

PtyPair::PtyPair() : folder_(dir_.path()) {
    if (dir_.isValid()) start();
}

PtyPair::PtyPair(const QString& folder) : folder_(folder) {
    QFile::remove(first());
    QFile::remove(second());
    start();
}

void PtyPair::start() {
    if (!socatInstalled()) return;
    socat_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    socat_.start(QStringLiteral("socat"), {QStringLiteral("pty,raw,echo=0,link=") + first(),
                                           QStringLiteral("pty,raw,echo=0,link=") + second()});
    if (!socat_.waitForStarted(5000)) return;
    // socat makes both links once its ptys exist; wait for them, at most five seconds.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000) {
        if (QFileInfo::exists(first()) && QFileInfo::exists(second())) {
            ready_ = true;
            return;
        }
        QThread::msleep(10);
    }
}

PtyPair::~PtyPair() { end(); }

void PtyPair::end() {
    if (socat_.state() != QProcess::NotRunning) {
        socat_.terminate();
        if (!socat_.waitForFinished(3000)) {
            socat_.kill();
            socat_.waitForFinished(3000);
        }
    }
}

}  // namespace qf::test
