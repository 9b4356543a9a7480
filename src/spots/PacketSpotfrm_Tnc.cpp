// The TNC source of the spotting window: the serial options into the window's settings, the
// port opened with its handshaking and powering line, the input read on the timer's tick, and
// the feed ended, said in the monitor, when the TNC's device goes away.
#include "spots/PacketSpotfrm.h"

#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/System.h"

namespace qf {

namespace {
constexpr int kDeviceIO = 57;
}

void PacketSpotfrm::ReadCommSettings() {
    if (SpotSource.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0) return;
    try {
        Label4->setVisible(true);
        for (int i = 0; i < 10; ++i)
            if (optComm[static_cast<size_t>(i)]->Value()) SpotPort = static_cast<quint8>(i + 1);
        auto pick = [](QString& field,
                       std::initializer_list<std::pair<const char*, OptionButton*>> group) {
            for (const auto& [text, o] : group)
                if (o->Value()) field = QLatin1String(text);
        };
        pick(SpotBaud, {{"1200", optBaud12},
                        {"2400", optBaud24},
                        {"4800", optBaud48},
                        {"9600", optBaud96},
                        {"14400", optBaud144},
                        {"19200", optBaud192}});
        pick(SpotParity, {{"O", optParityOdd}, {"N", optParityNone}, {"E", optParityEven}});
        pick(SpotDataBits, {{"7", optData7}, {"8", optData8}});
        pick(SpotStopBits, {{"1", optStop1}, {"2", optStop2}});
        QString baud = SpotBaud;
        while (baud.endsWith(QLatin1Char(' '))) baud.chop(1);
        SpotCommSettings = baud + QLatin1Char(',') + SpotParity + QLatin1Char(',') + SpotDataBits +
                           QLatin1Char(',') + SpotStopBits;
        pick(SpotPower, {{"N", optPowerNone}, {"R", optPowerRTS}, {"D", optPowerDTR}});
        const std::array<OptionButton*, 4> handshaking{Option1, Option2, Option3, Option4};
        for (size_t i = 0; i < handshaking.size(); ++i)
            if (handshaking[i]->Value()) SpotHandshaking = static_cast<quint8>(i + 1);
        if (SpotSource.compare(QLatin1String("TNC"), Qt::CaseInsensitive) == 0) OpenTNCPort();
    } catch (const Error&) {
        // What was set stays set.
    }
}

void PacketSpotfrm::OpenTNCPort() {
    try {
        if (comComm1->PortOpen()) comComm1->setPortOpen(false);
        comComm1->setCommPort(SpotPort);
        comComm1->setSettings(SpotCommSettings);
        comComm1->setDTREnable(false);
        comComm1->setRTSEnable(false);
        // Tested in the order 1, 3, 4, 2; with RTS/CTS the line is raised although the driver
        // then drives it.
        switch (SpotHandshaking) {
            case 1:
                comComm1->setHandshaking(SerialPort::Handshake::None);
                break;
            case 3:
                comComm1->setHandshaking(SerialPort::Handshake::RtsCts);
                comComm1->setRTSEnable(true);
                break;
            case 4:
                comComm1->setHandshaking(SerialPort::Handshake::Both);
                comComm1->setRTSEnable(true);
                break;
            case 2:
                comComm1->setHandshaking(SerialPort::Handshake::XonXoff);
                break;
            default:
                break;
        }
        comComm1->setPortOpen(true);
        // The powering line. A device without modem lines (a pseudo-terminal) still serves;
        // the port keeps the wanted state.
        try {
            if (SpotPower.compare(QLatin1String("R"), Qt::CaseInsensitive) == 0)
                comComm1->setRTSEnable(true);
            else if (SpotPower.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0)
                comComm1->setDTREnable(true);
        } catch (const Error& e) {
            if (e.number() != kDeviceIO) throw;
        }
        if (comComm1->PortOpen()) Timer1->setEnabled(true);
        appendMonitor(QStringLiteral("** TNC Serial Port Open **\r\n\r\n"));
    } catch (const Error&) {
        platform().beeper.beep();
        appendMonitor(QStringLiteral("** Unable to open TNC Serial Port **\r\n\r\n"));
        platform().dialogs.ok(
            QStringLiteral("The comm port that you selected for DX Spotting is either in use, "
                           "invalid or the settings that you have selected are invalid.  Please "
                           "select another combination or choose None for your DX Spot "
                           "selection."),
            QStringLiteral("Invalid Comm Settings."));
        if (isHidden()) ShowModal();
        Command2_Click();
        Timer1->setEnabled(false);
    }
    txtUnProcessed->refresh();
}

void PacketSpotfrm::ReadTNCPort() {
    const bool wasOpen = comComm1->PortOpen();
    try {
        SpotSerialChunk = comComm1->readAllLatin1();
        if (SpotSerialChunk.isEmpty()) return;
        SpotLineBuffer.append(SpotSerialChunk);
        if (SpotLineBuffer.size() > 2) ProcessTNCBuffer();
        SpotSerialChunk.clear();
    } catch (const Error&) {
        // Nothing waiting is no error. A port the program closed (ticks run under a failed
        // open's box) is read no more, quietly; one that closed under this read lost its device.
        if (wasOpen && !comComm1->PortOpen()) tncDeviceGone();
    }
    // An overlong remnant is cut even when no pass ran.
    SpotLineBuffer.settle();
}

void PacketSpotfrm::writeTNC(const QByteArray& bytes) {
    const bool wasOpen = comComm1->PortOpen();
    try {
        comComm1->write(bytes);
    } catch (const Error&) {
        if (wasOpen && !comComm1->PortOpen()) tncDeviceGone();
        throw;
    }
}

void PacketSpotfrm::tncDeviceGone() {
    // A TNC unplugged, or its line hung up: the port closed itself at the read or write that
    // met the loss. Said once and closed as Close Port does, so the window never looks live
    // over a dead port; Open Port opens it again once the device is back.
    feedEnded(QStringLiteral("\r\n** Connection to TNC ended **"));
}

QString PacketSpotfrm::TncHelp() {
    return QStringLiteral(
               "To use a Packet TNC, you will have to check your modem documentation for the "
               "proper serial port settings.  Use either Crtl C or the Esc key to send the Hex "
               "character to put your TNC in command mode (you do not have to press enter to "
               "send the Hex character).  Otherwise, just type and press enter to send text.") +
           QStringLiteral("\r\n\r\n") +
           QStringLiteral(
               "One nice feature with the packet option is that you don't actually have to "
               "connect to another packet station.  Just click the DX Only check box so that "
               "only packets identified as DX will be displayed.  As long as DX posts are being "
               "transmitted the software will check recent posts to eliminate duplicate posts.  "
               "Even if you are connected, it is a good idea to check this box to eliminate "
               "miscellaneous comments, etc.") +
           QStringLiteral("\r\n\r\n");
}

}  // namespace qf
