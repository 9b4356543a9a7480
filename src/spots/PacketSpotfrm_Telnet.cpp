// The Telnet cluster source of the spotting window: the connection to a DX cluster node over
// TCP, its text shown as it arrives and its spot lines posted, typed lines sent with CR LF, and
// every socket error, and the cluster's own close, reported in the monitor box, which closes
// the source.
#include "spots/PacketSpotfrm.h"

#include "app/App.h"
#include "platform/Error.h"
#include "platform/System.h"

namespace qf {

namespace {
const QString kCrLf2 = QStringLiteral("\r\n\r\n");

// A TCP port as typed: a whole number from 1 to 65535, blanks around it allowed; 0 otherwise.
int portNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 5) return 0;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
    const int port = t.toInt();
    return port >= 1 && port <= 65535 ? port : 0;
}
}  // namespace

void PacketSpotfrm::wireTelnet() {
    Winsock1->onDataArrival = [this](const QString& text) { Winsock1_DataArrival(text); };
    Winsock1->onError = [this](int number, const QString&) { Winsock1_Error(number); };
    Winsock1->onClose = [this] { Winsock1_Close(); };
}

void PacketSpotfrm::ConnectTelnet() {
    try {
        Winsock1->Close();
        const int port = portNumber(txtTelnetPort->Text());
        if (port == 0) {
            // Nothing was started: the source reads as closed, so Done, Esc and Enter open it
            // again once the port is mended.
            Label4->setVisible(false);
            return;
        }
        Winsock1->setRemoteHost(txtTelnetHost->Text());
        Winsock1->setRemotePort(port);
        telnetLines_.clear();
        Winsock1->Connect();
        replaceMonitor(QStringLiteral("Attempting connection to: ") + Winsock1->RemoteHost() +
                       QLatin1Char(':') + QString::number(Winsock1->RemotePort()) + kCrLf2);
        Timer1->setEnabled(true);
    } catch (const Error&) {
    }
}

void PacketSpotfrm::Winsock1_DataArrival(const QString& text) {
    // The box is drawn once per arrival, not for every line of a burst.
    passRunning_ = true;
    try {
        const bool dxOnly = chkDX->Value() == 1;
        // Shown as it comes, so a login prompt without a line end is seen at once.
        if (!dxOnly) {
            Monitor.append(text);
            TrimMonitor();
        }
        // Spots are read from whole lines, however the cluster cut its text into arrivals.
        for (const QString& line : telnetLines_.add(text)) {
            if (!isSpotLine(line)) continue;
            postSpotLine(line);
            if (dxOnly) {
                Monitor.append(line);
                TrimMonitor();
            }
        }
    } catch (const Error&) {
    }
    passRunning_ = false;
    txtUnProcessed->refresh();
}

void PacketSpotfrm::SendTelnetLine() {
    try {
        if (Winsock1->State() == TcpClient::sckConnected) {
            Winsock1->SendData(txtSent->Text() + QStringLiteral("\r\n"));
        } else {
            appendMonitor(
                QStringLiteral(
                    "**  Connection not yet established.  Please wait a moment and try again.") +
                kCrLf2);
            TrimMonitor();
        }
    } catch (const Error&) {
    }
}

void PacketSpotfrm::Winsock1_Error(int Number) {
    Winsock1->Close();
    feedEnded(telnetErrorMessage(Number));
}

void PacketSpotfrm::Winsock1_Close() {
    // A feed that ends must not go on looking live: the end is reported as an error is, only
    // without a message of its own.
    Winsock1->Close();
    feedEnded(QString());
}

void PacketSpotfrm::closeTelnet() {
    Winsock1->Close();
}

QString PacketSpotfrm::TelnetHelp() {
    return QStringLiteral(
               "If you have an Internet connection (either telephone line or high speed), the "
               "Telnet option is very easy to implement.  Just connect to the Internet by your "
               "regular ISP and click Open on this form.  Type your call sign when prompted and "
               "press enter.") +
           kCrLf2;
}

}  // namespace qf
