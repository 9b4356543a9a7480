#include "support/DirewolfPeer.h"

#include "support/FreePorts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QThread>
#include <QUdpSocket>

namespace qf::test {

namespace {

constexpr int kStartMs = 10000;

// The samples of a 16-bit mono wave file: what follows its "data" chunk header.
QByteArray samplesOf(const QByteArray& wave) {
    const qsizetype at = wave.indexOf("data");
    return at < 0 ? QByteArray() : wave.mid(at + 8);
}

}  // namespace

DirewolfPeer::DirewolfPeer() {
    if (!dir_.isValid()) {
        failure_ = QStringLiteral("no temporary folder for direwolf");
        return;
    }
    agwPort_ = freeTcpPort();
    audioPort_ = freeUdpPort();
    QFile conf(dir_.filePath(QStringLiteral("direwolf.conf")));
    if (!conf.open(QIODevice::WriteOnly)) {
        failure_ = QStringLiteral("cannot write direwolf.conf");
        return;
    }
    conf.write(QStringLiteral("ADEVICE UDP:%1 null\nARATE 44100\nCHANNEL 0\nMYCALL N0CALL\n"
                              "MODEM 1200\nAGWPORT %2\nKISSPORT 0\n")
                   .arg(audioPort_)
                   .arg(agwPort_)
                   .toLatin1());
    conf.close();
    process_.setWorkingDirectory(dir_.path());
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(QStringLiteral("direwolf"),
                   {QStringLiteral("-c"), conf.fileName(), QStringLiteral("-t"),
                    QStringLiteral("0"), QStringLiteral("-q"), QStringLiteral("hd")});
    if (!process_.waitForStarted(kStartMs)) {
        failure_ =
            QStringLiteral("direwolf did not start (is it installed? scripts/deps installs it): ") +
            process_.errorString();
        return;
    }
    const QByteArray ready = QStringLiteral("Ready to accept AGW client application 0 on port %1")
                                 .arg(agwPort_)
                                 .toLatin1();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < kStartMs) {
        process_.waitForReadyRead(100);
        output_ += process_.readAll();
        if (output_.contains("Bind failed") || output_.contains("bind failed")) {
            failure_ = QStringLiteral("direwolf could not bind its ports:\n") +
                       QString::fromLocal8Bit(output_);
            return;
        }
        if (output_.contains(ready)) return;
        if (process_.state() == QProcess::NotRunning) break;
    }
    failure_ =
        QStringLiteral("direwolf did not come up within 10 s:\n") + QString::fromLocal8Bit(output_);
}

DirewolfPeer::~DirewolfPeer() {
    stop();
}

void DirewolfPeer::stop() {
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(2000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }
}

bool DirewolfPeer::playUntil(const QStringList& packets, const std::function<bool()>& heard,
                             int ms) {
    QFile text(dir_.filePath(QStringLiteral("packet.txt")));
    if (!text.open(QIODevice::WriteOnly)) return false;
    for (const QString& p : packets) text.write(p.toLatin1() + '\n');
    text.close();
    const QString wavePath = dir_.filePath(QStringLiteral("packet.wav"));
    QProcess gen;
    gen.setProcessChannelMode(QProcess::MergedChannels);
    gen.start(QStringLiteral("gen_packets"), {QStringLiteral("-o"), wavePath, text.fileName()});
    if (!gen.waitForFinished(5000) || gen.exitCode() != 0) return false;
    QFile wave(wavePath);
    if (!wave.open(QIODevice::ReadOnly)) return false;
    // A little silence after the packet lets the demodulator finish the frame.
    const QByteArray samples = samplesOf(wave.readAll()) + QByteArray(8820, '\0');

    QUdpSocket udp;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        // Datagrams small enough for the engine's receive buffer, paced so none is dropped.
        constexpr qsizetype kDatagram = 1000;
        for (qsizetype at = 0; at < samples.size(); at += kDatagram) {
            udp.writeDatagram(samples.mid(at, kDatagram), QHostAddress::LocalHost, audioPort_);
            if ((at / kDatagram) % 20 == 19) QThread::msleep(5);
        }
        QElapsedTimer listen;
        listen.start();
        while (listen.elapsed() < 500) {
            if (heard()) return true;
            QThread::msleep(20);
        }
    }
    return heard();
}

}  // namespace qf::test
