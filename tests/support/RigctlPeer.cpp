#include "support/RigctlPeer.h"

#include "support/FreePorts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace qf::test {

namespace {

constexpr int kStartMs = 10000;

bool found(const char* program) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

}  // namespace

bool RigctlPeer::installed() {
    return found("socat") && found("rigctld") && found("rigctlcom");
}

RigctlPeer::RigctlPeer() {
    if (!installed()) {
        failure_ = QStringLiteral(
            "socat, rigctld or rigctlcom is missing (scripts/deps installs "
            "them)");
        return;
    }
    if (!pty_.available()) {
        failure_ = QStringLiteral("socat made no pseudo-terminal pair");
        return;
    }
    port_ = freeTcpPort();
    rigctld_.setProcessChannelMode(QProcess::MergedChannels);
    rigctld_.start(QStringLiteral("rigctld"),
                   {QStringLiteral("-m"), QStringLiteral("1"), QStringLiteral("-T"),
                    QStringLiteral("127.0.0.1"), QStringLiteral("-t"), QString::number(port_)});
    if (!rigctld_.waitForStarted(kStartMs)) {
        failure_ = QStringLiteral("rigctld did not start: ") + rigctld_.errorString();
        return;
    }
    // rigctlcom needs rigctld listening before it connects.
    QElapsedTimer waited;
    waited.start();
    bool listening = false;
    while (!listening && waited.elapsed() < kStartMs) {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, port_);
        listening = s.waitForConnected(200);
        if (!listening) QThread::msleep(50);
    }
    if (!listening) {
        failure_ = QStringLiteral("rigctld did not listen on port %1:\n").arg(port_) +
                   QString::fromLocal8Bit(rigctld_.readAll());
        return;
    }
    rigctlcom_.setProcessChannelMode(QProcess::MergedChannels);
    rigctlcom_.start(QStringLiteral("rigctlcom"),
                     {QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"),
                      QStringLiteral("127.0.0.1:%1").arg(port_), QStringLiteral("-R"),
                      pty_.second(), QStringLiteral("-S"), QStringLiteral("4800")});
    if (!rigctlcom_.waitForStarted(kStartMs)) {
        failure_ = QStringLiteral("rigctlcom did not start: ") + rigctlcom_.errorString();
        return;
    }
    if (!probe())
        failure_ = QStringLiteral("rigctlcom did not answer ID; within 10 s:\n") +
                   QString::fromLocal8Bit(rigctlcom_.readAll());
}

RigctlPeer::~RigctlPeer() {
    stop(rigctlcom_);
    stop(rigctld_);
}

void RigctlPeer::stop(QProcess& p) {
    if (p.state() == QProcess::NotRunning) return;
    p.terminate();
    if (!p.waitForFinished(2000)) {
        p.kill();
        p.waitForFinished(2000);
    }
}

bool RigctlPeer::probe() {
    const int fd =
        ::open(QFile::encodeName(device()).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    termios t{};
    if (::tcgetattr(fd, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
    }
    QByteArray got;
    QElapsedTimer waited;
    waited.start();
    bool ready = false;
    while (!ready && waited.elapsed() < kStartMs) {
        (void)!::write(fd, "ID;", 3);
        // Each ask gets half a second before it is repeated.
        QElapsedTimer asked;
        asked.start();
        while (!ready && asked.elapsed() < 500) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0) {
                char buf[256];
                const ssize_t n = ::read(fd, buf, sizeof buf);
                if (n > 0) got.append(buf, n);
            }
            ready = got.contains("ID019;");
        }
    }
    ::close(fd);
    return ready;
}

QByteArray RigctlPeer::ask(const QByteArray& command) {
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port_);
    if (!s.waitForConnected(2000)) return {};
    s.write(command + "\n");
    if (!s.waitForBytesWritten(2000)) return {};
    QByteArray answer;
    QElapsedTimer waited;
    waited.start();
    while (!answer.contains('\n') && waited.elapsed() < 3000) {
        if (s.waitForReadyRead(200)) answer += s.readAll();
    }
    const qsizetype end = answer.indexOf('\n');
    return end < 0 ? QByteArray() : answer.left(end);
}

bool RigctlPeer::setFrequency(qint64 hz) {
    return ask("F " + QByteArray::number(hz)).startsWith("RPRT 0");
}

qint64 RigctlPeer::frequency() {
    bool ok = false;
    const qint64 hz = ask("f").trimmed().toLongLong(&ok);
    return ok ? hz : -1;
}

}  // namespace qf::test
