// The Telnet cluster source of the spotting window.
#include "spots/PacketSpotfrm.h"

namespace qf {

// The cluster connection comes with the Telnet source; until then the choice opens nothing.
void PacketSpotfrm::ConnectTelnet() {}

void PacketSpotfrm::SendTelnetLine() {}

void PacketSpotfrm::closeTelnet() {}

QString PacketSpotfrm::TelnetHelp() {
    return QStringLiteral(
               "If you have an Internet connection (either telephone line or high speed), the "
               "Telnet option is very easy to implement.  Just connect to the Internet by your "
               "regular ISP and click Open on this form.  Type your call sign when prompted and "
               "press enter.") +
           QStringLiteral("\r\n\r\n");
}

}  // namespace qf
