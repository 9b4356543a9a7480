// The packet-engine source of the spotting window: registration with the engine, one received
// frame per timer tick (monitor, spots, the one connected station), and the typed lines and
// commands it sends.
#include "spots/PacketSpotfrm.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/Formats.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/PacketEngine.h"
#include "platform/System.h"
#include "spots/AgwText.h"

namespace qf {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kCrLf2 = QStringLiteral("\r\n\r\n");
const QString kSetupCaption = QStringLiteral("DX Spotting Setup");
const QString kUnableFirst = QStringLiteral(
    "Unable to connect to the AGW Packet Engine.  To use the AGW Packet Engine to send and "
    "receive packet with your soundcard or devices such a Baypac:");
const QString kUnableDownload =
    QStringLiteral("- Download the freely available software from https://www.sv2agw.com/");

bool sameCall(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Every step of a poll or a send carries on with the next when one fails.
template <class F>
void step(F&& f) {
    try {
        f();
    } catch (const Error&) {
    }
}

}  // namespace

void PacketSpotfrm::ConnectAGW() {
    PacketEngine& engine = app_.platform().packetEngine;
    try {
        const QString call = trimBlanks(app_.station().OwnCall);
        if (call.isEmpty()) {
            app_.platform().beeper.beep();
            app_.platform().dialogs.ok(
                QStringLiteral("Please enter your call sign on the setup form to transmit!"),
                QStringLiteral("Call Sign Required!"));
            // Nothing is registered: "Listening" would keep Done, Esc and Enter from trying
            // again once the call is set.
            Label4->setVisible(false);
            return;
        }
        const QString name = trimBlanks(app_.forms().Form1().Caption().left(50));
        if (engine.AGWStartPoll(call, name) != 0) {
            Timer1->setEnabled(true);
            appendMonitor(kCrLf +
                          QStringLiteral("** Successfully connected to AGW Packet Engine **") +
                          kCrLf2);
            return;
        }
    } catch (const Error&) {
    }
    app_.platform().dialogs.ok(
        kUnableFirst + kCrLf2 + kUnableDownload + kCrLf2 +
            QStringLiteral("- Make sure the AGW Packet Engine software is running and configure "
                           "it as described on the AGW Packet Engine website."),
        QStringLiteral("Unable to connect to the AGW Packet Engine."));
    Label4->setVisible(false);
    appendMonitor(kUnableFirst + kCrLf2 + kUnableDownload + kCrLf2 +
                  QStringLiteral("- Run the Packet Engine software and configure it as described "
                                 "on the AGW Packet Engine website for your sound card or TNC.") +
                  kCrLf2 + QStringLiteral("- Click Open from this program.") + kCrLf2);
    if (isHidden()) Show();
    Timer1->setEnabled(false);
}

void PacketSpotfrm::PollAGW() {
    PacketEngineFrame frame;
    if (app_.platform().packetEngine.AGWGetData(frame) == 0) {
        if (app_.platform().packetEngine.sessionEnded()) agwEnded();
        return;
    }
    const QString data = frame.data.left(frame.length);
    const AgwTexts texts =
        agwTexts(QChar(char16_t(frame.kind)), frame.sender, data, !AGWConnectedCall.isEmpty());
    const QString& text = texts.data;

    // A spot, from any station, shown and posted once.
    step([&] {
        const qsizetype dx = text.indexOf(QLatin1String("DX"), 0, Qt::CaseInsensitive) + 1;
        if (!Monitor.isDuplicate(text) && (dx == 1 || dx == 2)) {
            appendMonitor(text);
            postSpotLine(text);
            TrimMonitor();
        }
    });
    const bool dxOnly = chkDX->Value() != 0;
    const bool startsDx = text.startsWith(QLatin1String("DX"), Qt::CaseInsensitive);
    // The connected station's own lines; a spot line of its was shown above.
    step([&] {
        if (!AGWConnectedCall.isEmpty() && sameCall(frame.sender, AGWConnectedCall) && !dxOnly &&
            !startsDx) {
            appendMonitor(text);
            TrimMonitor();
        }
    });
    // Monitoring while no station is connected.
    step([&] {
        if (AGWConnectedCall.isEmpty() && !dxOnly &&
            !texts.tagged.contains(QLatin1String("DX "), Qt::CaseInsensitive) && !startsDx) {
            appendMonitor(texts.tagged);
            TrimMonitor();
        }
    });
    // Connect and disconnect notices: one station is followed at a time.
    step([&] {
        if (frame.kind == 'd' && !AGWConnectedCall.isEmpty() &&
            sameCall(frame.sender, AGWConnectedCall)) {
            app_.platform().beeper.beep();
            app_.platform().beeper.beep();
            appendMonitor(kCrLf + QStringLiteral("** Disconnected from ") + AGWConnectedCall +
                          QStringLiteral(" **") + kCrLf);
            TrimMonitor();
            setCaption(kSetupCaption);
            AGWConnectedCall.clear();
        } else if (frame.kind == 'c' && AGWConnectedCall.isEmpty()) {
            AGWConnectedCall = frame.sender;
            appendMonitor(QStringLiteral("** Connected to ") + AGWConnectedCall +
                          QStringLiteral(" **"));
            setCaption(kSetupCaption + QStringLiteral(" - Connected to ") + AGWConnectedCall);
            TrimMonitor();
            app_.platform().beeper.beep();
        }
    });
}

void PacketSpotfrm::agwEnded() {
    // Every frame received before the end has been handed out; from here on the window would
    // only look live over a dead feed.
    feedEnded(kCrLf + QStringLiteral("** Connection to AGW Packet Engine ended **"));
}

void PacketSpotfrm::SendAGWLine() {
    PacketEngine& engine = app_.platform().packetEngine;
    const QString text = txtSent->Text();
    const AgwCommand command = agwCommand(text);
    if (!command.isCommand) {
        // With no station connected the line goes nowhere.
        if (!AGWConnectedCall.isEmpty())
            step([&] { engine.AGWPutData(AGWConnectedCall, text + QLatin1Char('\r'), 'D'); });
        return;
    }
    if (command.letter == QLatin1String("D")) {
        // The call stays until the engine's disconnect notice arrives.
        if (!AGWConnectedCall.isEmpty())
            step([&] { engine.AGWPutData(AGWConnectedCall, QString(), 'd'); });
    } else if (command.letter == QLatin1String("C")) {
        const QString target = command.target.toUpper();
        if (!target.isEmpty()) {
            step([&] { engine.AGWPutData(target, QString(), 'c'); });
            step([&] { engine.AGWPutData(target, QString(), 'P'); });
        } else {
            app_.platform().dialogs.ok(
                QStringLiteral("You must enter a call sign to connect to such as :C Ardlow"),
                QStringLiteral("Call sign Required"));
        }
    }
}

void PacketSpotfrm::closeAGW() {
    PacketEngine& engine = app_.platform().packetEngine;
    if (!AGWConnectedCall.isEmpty()) {
        engine.AGWPutData(AGWConnectedCall, QString(), 'd');
        setCaption(kSetupCaption);
        AGWConnectedCall.clear();
    }
    engine.AGWClose();
}

void PacketSpotfrm::unloadAGW() {
    PacketEngine& engine = app_.platform().packetEngine;
    if (!AGWConnectedCall.isEmpty()) engine.AGWPutData(AGWConnectedCall, QString(), 'd');
    if (sourceIs("AGW Packet Engine")) engine.AGWClose();
}

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
