// The intake the spotting window's sources share: the 333 ms tick, the TNC text split into
// lines, duplicates dropped, spot lines handed to the logging window, the monitor box kept
// below its limit, the help text, and the send box.
#include "spots/PacketSpotfrm.h"

#include "app/App.h"
#include "app/Forms.h"
#include "platform/Error.h"

namespace qf {

namespace {
const QString kCrLf2 = QStringLiteral("\r\n\r\n");
}

void PacketSpotfrm::Timer1_Timer() {
    if (sourceIs("TNC")) ReadTNCPort();
    if (sourceIs("AGW Packet Engine")) PollAGW();
    LabelUpdateTimeCounter += 1;
    if (LabelUpdateTimeCounter > 360) {
        LabelUpdateTimeCounter = 0;
        // Redrawn so the spots' colours follow their age, only while a band map is shown.
        if (app_.forms().Form1().lblDX->Visible()) app_.forms().Form1().DisplayBandMapLabels();
    }
}

void PacketSpotfrm::ProcessTNCBuffer() {
    passRunning_ = true;
    try {
        while (std::optional<QString> line = SpotLineBuffer.nextLine()) {
            if (Monitor.isDuplicate(*line)) continue;
            if (isSpotLine(*line)) {
                Monitor.append(*line);
                TrimMonitor();
                postSpotLine(*line);
            } else if (chkDX->Value() == 0) {
                Monitor.append(*line);
                TrimMonitor();
            }
        }
    } catch (const Error&) {
        // The buffer keeps what was not yet consumed.
    }
    passRunning_ = false;
    SpotLineBuffer.settle();
    txtUnProcessed->refresh();
}

bool PacketSpotfrm::postSpotLine(const QString& line) {
    SpotLineFields f = readSpotLine(line);
    if (!f.frequencyWhole) return false;
    QString shown = line;
    PostSpot(f.frequency, f.call, shown);
    return true;
}

void PacketSpotfrm::PostSpot(QString& frequency, QString& call, QString& line) {
    try {
        LabelUpdateTimeCounter = 0;
        // A line shorter than 3 characters is not handed on.
        if (line.size() < 3) return;
        QString record = readSpotLine(line).record;
        app_.forms().Form1().BandMapSpots(call, frequency, record);
    } catch (const Error&) {
    }
}

void PacketSpotfrm::appendMonitor(const QString& text) {
    Monitor.append(text);
    txtUnProcessed->refresh();
}

void PacketSpotfrm::replaceMonitor(const QString& text) {
    Monitor.setText(text);
    txtUnProcessed->refresh();
}

void PacketSpotfrm::TrimMonitor() {
    Monitor.trim();
    // During a pass the box is drawn once at its end, not for every line.
    if (!passRunning_) txtUnProcessed->refresh();
}

void PacketSpotfrm::ShowSpotHelp() {
    const QString general =
        QStringLiteral(
            "Use this form to configure your DX spotting options.  After you make your "
            "selections, a list or band map will display on the main form (as selected here) to "
            "keep you updated on the latest packet spots.") +
        kCrLf2 +
        QStringLiteral(
            "The list will show the last 2-3 posts on the main form depending on your screen "
            "size.  The band map will display the prefixes posted for your current band.  To see "
            "the whole call and frequency, move your mouse over the prefix and observe either the "
            "tool tip or the Possible Duplicates box.") +
        kCrLf2 +
        QStringLiteral(
            "The program keeps the last 50 DX posts regardless of band in memory. Your band map "
            "will cycle through these posts as they are received.  Posts received within the "
            "last 10 minutes will be yellow; posts 10-30 minutes old will be white and posts "
            "30-60 minutes old will be gray.") +
        kCrLf2 +
        QStringLiteral(
            "If you are using the program's rig control features, you can right click any spot "
            "displayed on the main form's band map or HF spectrum map to tune your rig to the "
            "spot frequency. Right clicking will not change frequency when displaying the DX "
            "spots in list mode.") +
        kCrLf2;
    const QString closing =
        QStringLiteral(
            "When you have configured your DX spotting options, click Open to initiate the "
            "communication.  Then click Done to return to the main form.") +
        kCrLf2 +
        QStringLiteral(
            "If the list is being displayed on the main form, you can click on it to quickly "
            "return to this form.  To return the main form to the original display, select None "
            "from the spotting options.") +
        kCrLf2;
    const QString credit =
        QStringLiteral(
            "This code was developed and tested with a Kantronics KPC3+ TNC.  I look forward to "
            "hearing about your experiences with different hardware.") +
        kCrLf2;
    const QString choice = List1->Text();
    auto is = [&](const char* name) {
        return choice.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    QString text;
    if (is("None")) {
        text = general + TelnetHelp() + TncHelp() + AGWHelp() + closing + credit;
    } else if (is("TNC")) {
        text = TncHelp() + closing + credit;
    } else if (is("Telnet")) {
        text = TelnetHelp() + closing;
    } else if (is("AGW Packet Engine")) {
        text = AGWHelp() + closing + credit;
    }
    Monitor.setText(text);
    Monitor.setCaret(1);
    txtUnProcessed->refresh();
}

void PacketSpotfrm::txtSent_KeyPress(int& KeyAscii) {
    try {
        if (KeyAscii == 13) {
            if (!listening()) Command1_Click();
            if (sourceIs("TNC") && comComm1->PortOpen())
                writeTNC((txtSent->Text() + QLatin1Char('\r')).toLatin1());
            if (sourceIs("Telnet")) SendTelnetLine();
            if (sourceIs("AGW Packet Engine") && Timer1->Enabled()) SendAGWLine();
            txtSent->setText(QString());
        }
        if (sourceIs("AGW Packet Engine") && KeyAscii == 27) {
            KeyAscii = ':';
            return;
        }
    } catch (const Error&) {
    }
    if (KeyAscii == 13 || KeyAscii == 27) KeyAscii = 0;
}

void PacketSpotfrm::txtSent_Change() {
    try {
        if (!sourceIs("AGW Packet Engine") || !Timer1->Enabled()) return;
        const QString text = txtSent->Text();
        if (text.size() > 70 && text.endsWith(QLatin1Char(' '))) {
            txtSent->setText(text.left(text.size() - 1));
            SendAGWLine();
            txtSent->setText(QString());
        }
    } catch (const Error&) {
    }
}

}  // namespace qf
