// Loopback ports nobody holds at this moment, for the real peers the tests start.
#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QUdpSocket>

namespace qf::test {

inline quint16 freeTcpPort() {
    QTcpServer s;
    return s.listen(QHostAddress::LocalHost, 0) ? s.serverPort() : 0;
}

inline quint16 freeUdpPort() {
    QUdpSocket s;
    return s.bind(QHostAddress::LocalHost, 0) ? s.localPort() : 0;
}

}  // namespace qf::test
