// The packet engine client as the tests see it: every call goes to the program's own client
// (which reaches whatever engine the test points it at) and is written down, with each frame
// it handed out, so a test can tell a frame that arrived and was dropped from one that never
// arrived, and a put that reached no wire from one never made.
#pragma once

#include "platform/PacketEngine.h"

#include <QStringList>

#include <vector>

namespace qf::test {

class PacketEngineRecorder : public PacketEngine {
  public:
    PacketEngineRecorder() = default;

    TcpPacketEngine& real() { return real_; }
    // Points the client at an engine on loopback.
    void useLocalPort(quint16 port) { real_.setEndpoint(QStringLiteral("127.0.0.1"), port); }

    QStringList calls;  // "AGWStartPoll(K9ABC,Form1)", "AGWPutData(W1AW,,P)", "AGWClose()"
    std::vector<PacketEngineFrame> delivered;

    qint16 AGWStartPoll(const QString& call, const QString& applicationName) override {
        calls << QStringLiteral("AGWStartPoll(%1,%2)").arg(call, applicationName);
        return real_.AGWStartPoll(call, applicationName);
    }
    qint16 AGWGetData(PacketEngineFrame& frame) override {
        const qint16 r = real_.AGWGetData(frame);
        if (r) delivered.push_back(frame);
        return r;
    }
    qint16 AGWPutData(const QString& call, const QString& data, qint16 kind) override {
        calls << QStringLiteral("AGWPutData(%1,%2,%3)").arg(call, data, QChar(char16_t(kind)));
        return real_.AGWPutData(call, data, kind);
    }
    void AGWClose() override {
        calls << QStringLiteral("AGWClose()");
        real_.AGWClose();
    }
    bool sessionEnded() const override { return real_.sessionEnded(); }

  private:
    TcpPacketEngine real_;
};

}  // namespace qf::test
