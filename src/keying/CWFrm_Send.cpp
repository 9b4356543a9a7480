// The CW window's sending: a function key's message, the send loop, keying one character and
// opening the CW port. The running logging window is reached only for its call box, its
// status line and its Mains (the "!" macro).
#include "app/App.h"
#include "app/Forms.h"
#include "keying/CWFrm.h"
#include "keying/CWMacros.h"
#include "keying/KeyerCommon.h"
#include "keying/MorseTable.h"
#include "keying/VoiceKeyer.h"
#include "platform/Error.h"
#include "platform/KeyingLine.h"

#include <QCoreApplication>

#include <cmath>

namespace qf {

namespace {

// The logging window that runs, when it is loaded.
LoggingWindow* runningLoggingWindow(App& app) {
    Forms& f = app.forms();
    if (app.station().OutOfStateFlag != 0) return f.outfrmSlot().peek();
    return f.infrmSlot().peek();
}

// Runs one step of the send loop; a failing step does not stop the sending.
template <class F>
void step(F&& f) {
    try {
        f();
    } catch (const Error&) {
    }
}

}  // namespace

TextBox* CWFrm::messageBox(int keyCode) const {
    switch (keyCode) {
        case 112:
            return Text1;
        case 113:
            return Text2;
        case 114:
            return Text3;
        case 115:
            return Text4;
        case 116:
            return Text5;
        case 117:
            return Text6;
        case 118:
            return Text7;
        case 119:
            return Text8;
        case 120:
            return Text9;
        case 124:
            return Text12;
        case 122:
            return Text13;
        default:
            return nullptr;
    }
}

void CWFrm::FKeyCW(int KeyCode) {
    RunState& run = app_.run();
    try {
        run.CWSendBuffer.clear();
        if (run.CWKeyingInterface != 0) {
            TextBox* box = messageBox(KeyCode);
            QString message = box ? box->Text() : QString();
            if (KeyCode == 112) {
                const auto seconds = NumberIn(txtCWLoop->Text());
                if (!seconds) throw Error(err::kTypeMismatch, QStringLiteral("Type mismatch"));
                if (*seconds > 0) run.CWRepeatActive = 1;
            }
            if (!message.isEmpty()) {
                auto& m = run.CWMacroValues;
                message = ReplaceCWMacros(
                    message, {m.MacroRstSent, m.MacroCall, m.MacroCounty, app_.tables().counties});
                run.CWSendBuffer += message;
                LoopThroughCWBuffer();
            }
        }
    } catch (const Error&) {
        return;
    }
    QCoreApplication::processEvents();
}

void CWFrm::setEchoStatus(const QString& text) {
    if (Check1->Value() != 1) return;
    if (LoggingWindow* w = runningLoggingWindow(app_)) w->lblDialog->setCaption(text);
}

void CWFrm::logFromMessage() {
    LoggingWindow* w = runningLoggingWindow(app_);
    if (w && !w->txtCall->Text().isEmpty()) w->Mains();
}

void CWFrm::LoopThroughCWBuffer() {
    RunState& run = app_.run();
    if (run.CWKeyingInterface == 5) {
        if (run.CWSendBuffer.contains(QLatin1Char('!'))) step([&] { logFromMessage(); });
        // The contact is logged before the keyer gets the first character.
        step([&] { app_.forms().frmWinKey().WKTransmit(); });
        step([&] {
            if (run.CWRepeatActive == 1) tmrRepeat->setEnabled(true);
        });
        return;
    }
    run.CWSending = 1;
    // Cleared however the loop is left, or the logging window could never close again.
    struct SendingFlag {
        RunState& run;
        ~SendingFlag() { run.CWSending = 0; }
    } sendingFlag{run};
    portRefused_ = false;
    while (!run.CWSendBuffer.isEmpty()) {
        const QChar c = run.CWSendBuffer.front();
        run.CWSendBuffer.remove(0, 1);
        Transmit(c);
        step([&] { setEchoStatus(run.CWSendBuffer); });
        QCoreApplication::processEvents();
    }
    step([&] {
        if (run.CWRepeatActive == 1) tmrRepeat->setEnabled(true);
    });
    run.CWSending = 0;
    step([&] {
        setEchoStatus(run.KeyboardCWMode != 0
                          ? QStringLiteral("Keyboard CW Mode is on.  Press F12 to exit.")
                          : QString());
    });
}

double CWFrm::speedNow() const {
    // Read for every unit: a change of the box acts inside the character being keyed.
    return NumberIn(Text11->Text()).value_or(0);
}

void CWFrm::Transmit(QChar CodeCharacter) {
    RunState& run = app_.run();
    try {
        const quint8 iface = run.CWKeyingInterface;
        if (iface == 0) return;
        if (iface < 3 && !Comm->PortOpen() && !portRefused_) {
            if (!CWSetup()) portRefused_ = true;
        }
        const QChar c = CodeCharacter.toUpper();
        if (c == QLatin1Char('!')) {
            logFromMessage();
            return;
        }
        std::optional<QString> pattern = MorsePattern(c);
        if (!pattern) return;
        // The word-space box is read for every character and must hold a number.
        const auto adjustment = NumberIn(txtSpace->Text());
        if (!adjustment) return;
        if (c == QLatin1Char(' ')) pattern = WordSpacePattern(*adjustment);

        std::unique_ptr<KeyingLine> line;
        if ((iface == 1 || iface == 2) && Comm->PortOpen()) {
            line = platform().keyingLines.serialLine(
                *Comm, iface == 1 ? SerialSignal::Rts : SerialSignal::Dtr);
        } else if (iface == 3) {
            const auto base = PortAddress(Text14->Text());
            if (!base) return;  // nothing keyed, nothing waited
            line = platform().keyingLines.parallelLine(*base);
        }
        const UnitTiming timing{platform().clock, timingMethod(), LoopsPer60ms};
        switch (KeyPattern(*pattern, line.get(), timing, [this] { return speedNow(); })) {
            case KeyingEnd::Completed:
                break;
            case KeyingEnd::NoSpeed:
                // No speed to key at: the message ends here rather than hang or key blind.
                run.CWSendBuffer.clear();
                break;
            case KeyingEnd::LineFailed:
                keyingLineFailed();
                break;
        }
    } catch (const Error&) {
    }
}

void CWFrm::keyingLineFailed() {
    // The line itself is up again (the character put it up on its way out). The rest of the
    // message would go out with gaps in it, or not at all while it seemed to, and a "!" further
    // on would log a contact the other station never heard: the message ends here, and the
    // operator hears of it once.
    RunState& run = app_.run();
    run.CWSendBuffer.clear();
    // A repeat would only key the failing line again, and tell again.
    run.CWRepeatActive = 0;
    tmrRepeat->setEnabled(false);
    reportInvalidPort();
    // Whatever was typed while the box was up belongs to the message that ended.
    run.CWSendBuffer.clear();
}

bool CWFrm::CWSetup() {
    try {
        if (Comm->PortOpen()) Comm->setPortOpen(false);
        const auto number = NumberIn(Text10->Text());
        if (!number) throw Error(err::kTypeMismatch, QStringLiteral("Type mismatch"));
        if (*number > 0) {
            // The keyers share ports: the voice keyer gives its push-to-talk port up first.
            voice::ClosePushToTalkPort(app_);
            Comm->setCommPort(static_cast<int>(std::nearbyint(*number)));
            Comm->setDTREnable(false);
            Comm->setRTSEnable(false);
            Comm->setPortOpen(true);
        }
        return true;
    } catch (const Error&) {
        reportInvalidPort();
        return false;
    }
}

void CWFrm::reportInvalidPort() {
    ReportKeyingFailure(platform(),
                        QStringLiteral("The port you have selected for CW keying is invalid.  "
                                       "Please select another or enter 0 for none."),
                        QStringLiteral("Invalid port."));
    if (isHidden()) ShowModal();
}

}  // namespace qf
