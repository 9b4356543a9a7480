// The packet-engine source of the spotting window.
#include "spots/PacketSpotfrm.h"

namespace qf {

// The packet engine's client comes with that source; until then the choice opens nothing.
void PacketSpotfrm::ConnectAGW() {}

void PacketSpotfrm::PollAGW() {}

void PacketSpotfrm::SendAGWLine() {}

void PacketSpotfrm::closeAGW() {}

void PacketSpotfrm::unloadAGW() {}

QString PacketSpotfrm::AGWHelp() {
    const char* paragraphs[] = {
        "This program will also interface with the AGW Packet Engine.  The AGW Packet engine "
        "will interface with your existing sound card (or TNC including Baypac) to send and "
        "receive Packet.  To use the AGW Packet Engine:",
        "- Download the freely available software from https://www.sv2agw.com/downloads/",
        "The file to download is AGWPE.zip.  Instructions for use are on this website as well.",
        "- Run the Packet Engine software and configure it as described on the AGW Packet Engine "
        "website for your sound card or TNC.",
        "- Click Open from this program.",
        "To send a connect request using the AGW packet engine, type in the format of",
        ":C Ardlow     or to disconnect :D",
        "and press enter (you can also use the Esc key to add a colon).",
    };
    QString text;
    for (const char* p : paragraphs) text += QString::fromLatin1(p) + QStringLiteral("\r\n\r\n");
    return text;
}

}  // namespace qf
