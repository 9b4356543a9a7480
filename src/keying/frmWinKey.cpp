#include "keying/frmWinKey.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/KeyFilters.h"
#include "common/QuotedFieldLine.h"
#include "common/ScreenScaling.h"
#include "keying/CWFrm.h"
#include "keying/KeyerCommon.h"
#include "keying/VoiceKeyer.h"
#include "platform/Error.h"
#include "platform/FileSaves.h"
#include "platform/WinKey.h"

#include <QCoreApplication>

#include <cmath>

namespace qf {

namespace {

// A box's number as the unsigned byte the driver takes: rounded half to even, and a failure
// outside 0 to 255, as the byte conversion of the original did.
quint8 toByte(double v) {
    const double r = std::nearbyint(v);
    if (r < 0 || r > 255) throw Error(err::kOverflow, QStringLiteral("Overflow"));
    return static_cast<quint8>(r);
}

std::optional<double> numberIn(const TextBox* box) {
    return CWFrm::NumberIn(box->Text());
}

}  // namespace

frmWinKey::frmWinKey(App& app)
    : Form(app.platform(), QStringLiteral("frmWinKey"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral(" WinKey Setup"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // Wide enough for the longest note on one line at Arial 8.25.
    Move(0, 0, 6600, 5400);
    buildControls();
}

WinKeyDriver& frmWinKey::wk() {
    return platform().winKey;
}

void frmWinKey::buildControls() {
    auto label = [this](const char* name, const QString& caption, double l, double t, double w) {
        Label* lb = add<Label>(QString::fromLatin1(name), caption);
        lb->Move(l, t, w, 255);
        return lb;
    };
    auto box = [this](const char* name, const QString& text, double l, double t) {
        TextBox* b = add<TextBox>(QString::fromLatin1(name));
        b->Move(l, t, 600, 285);
        b->setText(text);
        b->KeyPress = [](int& k) { DigitsOnlyKey(k); };
        return b;
    };
    auto button = [this](const char* name, const QString& caption, double l, double t) {
        CommandButton* b = add<CommandButton>(QString::fromLatin1(name), caption);
        b->Move(l, t, 900, 345);
        return b;
    };

    label("Label1", QStringLiteral("Com Port:"), 120, 150, 1200);
    txtWKComPort = box("txtWKComPort", QStringLiteral("5"), 1380, 120);
    cmdOpenWinkey = button("cmdOpenWinkey", QStringLiteral("Open"), 2100, 90);
    cmdCloseWinkey = button("cmdCloseWinkey", QStringLiteral("Close"), 3060, 90);
    label("Label2", QStringLiteral("WinKey Status:"), 120, 570, 1500);
    lblOpenStatus = label("lblOpenStatus", QStringLiteral("Closed"), 1680, 570, 2400);
    label("Label3", QStringLiteral("WinKey Version:"), 120, 870, 1500);
    lblVersion = label("lblVersion", QStringLiteral("Version #"), 1680, 870, 2400);

    struct Row {
        const char* label;
        const char* caption;
        TextBox** box;
        const char* name;
        const char* text;
        const char* note;
    };
    const Row rows[] = {
        {"Label4", "WPM:", &txtWKWPM, "txtWKWPM", "18",
         "Up / down arrows from main form change speeds."},
        {"Label5", "Weight:", &txtWeight, "txtWeight", "50",
         "Proportional amount added or subtracted (50 is standard)."},
        {"Label6", "Lead In:", &txtLeadIn, "txtLeadIn", "0",
         "Lead in time for transmitter (10 ms increments)."},
        {"Label7", "Tail:", &txtTail, "txtTail", "0",
         "Tail time after keying has stopped (10 ms increments)."},
        {"Label8", "Ratio:", &txtRatio, "txtRatio", "50",
         "Ratio of dits to dahs (Range: 33 - 66)."},
    };
    double top = 1260;
    int note = 9;
    for (const Row& r : rows) {
        label(r.label, QString::fromLatin1(r.caption), 120, top + 30, 1200);
        *r.box = box(r.name, QString::fromLatin1(r.text), 1380, top);
        label(QStringLiteral("Label%1").arg(note++).toLatin1().constData(),
              QString::fromLatin1(r.note), 2100, top + 30, 4380);
        top += 360;
    }

    fraMode = add<Frame>(QStringLiteral("fraMode"), QStringLiteral("Keyer Mode"));
    fraMode->Move(120, 3120, 2900, 1350);
    optIambicA =
        add<OptionButton>(QStringLiteral("optIambicA"), QStringLiteral("Iambic A"), fraMode);
    optIambicB =
        add<OptionButton>(QStringLiteral("optIambicB"), QStringLiteral("Iambic B"), fraMode);
    optUltimatic =
        add<OptionButton>(QStringLiteral("optUltimatic"), QStringLiteral("Ultimatic"), fraMode);
    optBug = add<OptionButton>(QStringLiteral("optBug"), QStringLiteral("Bug Keyer"), fraMode);
    fraPin = add<Frame>(QStringLiteral("fraPin"), QStringLiteral("Pin 5 Configuration"));
    fraPin->Move(3120, 3120, 3000, 1350);
    optPTT = add<OptionButton>(QStringLiteral("optPTT"), QStringLiteral("PTT"), fraPin);
    optTone = add<OptionButton>(QStringLiteral("optTone"), QStringLiteral("Tone"), fraPin);
    optKey5Off3Out = add<OptionButton>(QStringLiteral("optKey5Off3Out"),
                                       QStringLiteral("P5 Off, P3 Key Out"), fraPin);
    optKey5Out3Off = add<OptionButton>(QStringLiteral("optKey5Out3Off"),
                                       QStringLiteral("P5 Key Out, P3 Off"), fraPin);
    top = 270;
    for (OptionButton* o : {optIambicA, optIambicB, optUltimatic, optBug}) {
        o->Move(120, top, 2600, 255);
        top += 260;
    }
    top = 270;
    for (OptionButton* o : {optPTT, optTone, optKey5Off3Out, optKey5Out3Off}) {
        o->Move(120, top, 2700, 255);
        top += 260;
    }

    Command3 = button("Command3", QStringLiteral("Test"), 120, 4620);
    cmdStop = button("cmdStop", QStringLiteral("Stop"), 1140, 4620);
    cmdDone = button("cmdDone", QStringLiteral("&Done"), 5220, 4620);

    // Design choices, before any handler is wired: nothing is stored or sent by them.
    optIambicB->setValue(true);
    optTone->setValue(true);

    cmdOpenWinkey->Click = [this] { cmdOpenWinkey_Click(); };
    cmdCloseWinkey->Click = [this] { cmdCloseWinkey_Click(); };
    cmdStop->Click = [this] { cmdStop_Click(); };
    Command3->Click = [this] { Command3_Click(); };
    cmdDone->Click = [this] { cmdDone_Click(); };
    txtWKComPort->LostFocus = [this] { txtWKComPort_LostFocus(); };
    txtWKWPM->LostFocus = [this] { txtWKWPM_LostFocus(); };
    txtWeight->LostFocus = [this] { txtWeight_LostFocus(); };
    txtLeadIn->LostFocus = [this] { txtLeadIn_LostFocus(); };
    txtTail->LostFocus = [this] { txtTail_LostFocus(); };
    txtRatio->LostFocus = [this] { txtRatio_LostFocus(); };
    optIambicB->Click = [this] { modeChosen(0); };
    optIambicA->Click = [this] { modeChosen(16); };
    optUltimatic->Click = [this] { modeChosen(32); };
    optBug->Click = [this] { modeChosen(48); };
    optPTT->Click = [this] { pinChosen(5); };
    optTone->Click = [this] { pinChosen(6); };
    optKey5Off3Out->Click = [this] { pinChosen(4); };
    optKey5Out3Off->Click = [this] { pinChosen(8); };
}

std::optional<QString> frmWinKey::OpenStatusText(qint32 code) {
    switch (code) {
        case 0:
            return QStringLiteral("WK Success!");
        case -1:
            return QStringLiteral("No Echo Response");
        case -2:
            return QStringLiteral("Echo Mismatch");
        case -3:
            return QStringLiteral("No Open Response");
        case -4:
            return QStringLiteral("Com Open Failed");
        case -5:
            return QStringLiteral("Get Com ST Failed");
        case -6:
            return QStringLiteral("Set Com ST Failed");
        case -8:
            return QStringLiteral("WK Already Open");
        case -9:
            return QStringLiteral("WK Not Open");
        default:
            return std::nullopt;
    }
}

// ---- open and close

void frmWinKey::cmdOpenWinkey_Click() {
    RunState& run = app_.run();
    try {
        // The three keyers share ports: the voice keyer's push-to-talk port closes first, then
        // the CW window's keying port.
        voice::ClosePushToTalkPort(app_);
        CWFrm& cw = app_.forms().CWFrm();
        if (cw.Comm->PortOpen()) cw.Comm->setPortOpen(false);

        quint8 version = 0;
        const qint32 code = wk().wk_open(version, run.WinKeyPort);
        if (code != wk::kAlreadyOpen && version == 0) {
            platform().dialogs.ok(
                QStringLiteral("Unable to establish connection with WinKey on com port %1.  "
                               "Please check to make sure that you have specified the correct "
                               "port and that the Winkey device is properly connected.")
                    .arg(run.WinKeyPort),
                QStringLiteral("Unable to establish connection with Winkey."));
        }
        if (const auto text = OpenStatusText(code)) lblOpenStatus->setCaption(*text);
        if (code == wk::kAlreadyOpen) return;
        // Sent after a failed open too; the driver sends nothing while no keyer is open.
        SendWinKeySettings();
        if (version != 0) {
            run.WinKeyVersion = version;
            lblVersion->setCaption(QStringLiteral("Version # %1").arg(version));
        }
        if (isVisible()) cmdDone->SetFocus();
    } catch (const Error& e) {
        platform().dialogs.ok(e.text(), QStringLiteral("Error!"));
    }
}

void frmWinKey::cmdCloseWinkey_Click() {
    wk().wk_close();
    lblOpenStatus->setCaption(QStringLiteral("Closed"));
    lblVersion->setCaption(QStringLiteral("Version #"));
    app_.run().WinKeyVersion = 0;
    if (isVisible()) cmdDone->SetFocus();
}

// ---- settings

void frmWinKey::SendWinKeySettings() {
    txtWKWPM_LostFocus();
    txtWeight_LostFocus();
    txtLeadIn_LostFocus();
    txtRatio_LostFocus();
    RunState& run = app_.run();
    wk().wk_pincfg(run.WinKeyPinConfig);
    wk().wk_setmode(run.WinKeyMode);
}

void frmWinKey::txtWKComPort_LostFocus() {
    RunState& run = app_.run();
    const auto n = numberIn(txtWKComPort);
    if (!n) {
        txtWKComPort->setText(QStringLiteral("0"));
        run.WinKeyPort = 0;
        return;
    }
    try {
        run.WinKeyPort = toByte(*n);
    } catch (const Error&) {
        // Out of range: no port, though the box keeps what was typed.
        run.WinKeyPort = 0;
    }
}

namespace {
// One of the boxes whose value goes to the keyer when it lies in [low, high]; anything that is
// not a number, or a failing conversion or call, puts back the default. An out-of-range number
// is kept and not sent.
template <class Send>
void checkAndSend(TextBox* box, double low, double high, const char* fallback, Send send) {
    try {
        const auto n = numberIn(box);
        if (!n) throw Error(err::kTypeMismatch, QStringLiteral("Type mismatch"));
        if (*n >= low && *n <= high) send(toByte(*n));
    } catch (const Error&) {
        box->setText(QString::fromLatin1(fallback));
    }
}
}  // namespace

void frmWinKey::txtWKWPM_LostFocus() {
    checkAndSend(txtWKWPM, 0, 99, "18", [this](quint8 v) { wk().wk_wpm(v); });
}

void frmWinKey::txtWeight_LostFocus() {
    checkAndSend(txtWeight, 0, 99, "50", [this](quint8 v) { wk().wk_weight(v); });
}

void frmWinKey::txtRatio_LostFocus() {
    // 32 and 67 go out as well, though the label says 33 to 66: the keyer takes them.
    checkAndSend(txtRatio, 32, 67, "50", [this](quint8 v) { wk().wk_ditdah_ratio(v); });
}

void frmWinKey::leadTailLeft(TextBox* left) {
    try {
        const auto lead = numberIn(txtLeadIn);
        const auto tail = numberIn(txtTail);
        if (!lead || !tail) throw Error(err::kTypeMismatch, QStringLiteral("Type mismatch"));
        wk().wk_ptt_leadtail(toByte(*lead), toByte(*tail));
    } catch (const Error&) {
        left->setText(QStringLiteral("0"));
    }
}

void frmWinKey::txtLeadIn_LostFocus() {
    leadTailLeft(txtLeadIn);
}
void frmWinKey::txtTail_LostFocus() {
    leadTailLeft(txtTail);
}

void frmWinKey::modeChosen(quint8 mode) {
    app_.run().WinKeyMode = mode;
    if (app_.run().WinKeyVersion != 0) SendWinKeySettings();
}

void frmWinKey::pinChosen(quint8 config) {
    app_.run().WinKeyPinConfig = config;
    if (app_.run().WinKeyVersion != 0) SendWinKeySettings();
}

// ---- sending

void frmWinKey::WKTransmit() {
    RunState& run = app_.run();
    auto step = [](auto&& f) {
        try {
            f();
        } catch (const Error&) {
        }
    };
    step([&] {
        if (run.WinKeyVersion == 0) cmdOpenWinkey_Click();
    });
    if (run.WinKeyVersion == 0) {
        run.CWSendBuffer.clear();
        return;
    }
    Clock& clock = platform().clock;
    while (!run.CWSendBuffer.isEmpty()) {
        step([&] {
            // Above 4 the keyer's buffer is nearly full: wait, and let the operator work.
            while (PollStatus() > 4) {
                clock.sleepMs(10);
                QCoreApplication::processEvents();
            }
        });
        // A keyer that has stopped answering gets no more: the status read that noticed it has
        // cleared the keyer, and a message started since then is dropped whole.
        if (!wk().answering()) stopFeeding();
        // A handler that ran during the wait may have emptied the buffer (Esc, Stop, a key).
        if (run.CWSendBuffer.isEmpty()) continue;
        const char16_t code = run.CWSendBuffer.front().unicode();
        step([&] {
            if (code >= 1 && code <= 255) wk().wk_char(static_cast<quint8>(code));
        });
        run.CWSendBuffer.remove(0, 1);
        clock.sleepMs(10);
    }
}

qint32 frmWinKey::PollStatus(bool* clearedNow) {
    RunState& run = app_.run();
    run.WinKeyStatus = wk().wk_getstatus();
    if (clearedNow) *clearedNow = false;
    if (wk().answering()) {
        silenceReported_ = false;
    } else if (!silenceReported_) {
        // Once per silence, not at every key: noted before the box, which lets events run.
        silenceReported_ = true;
        // It may still be keying what it holds, and the box waits on the operator: it is told to
        // drop what it has, and gets nothing more, before the box.
        stopFeeding();
        wk().wk_clearbuf();
        if (clearedNow) *clearedNow = true;
        ReportKeyingFailure(
            platform(),
            QStringLiteral("The WinKey on com port %1 has stopped answering.  Nothing more is "
                           "sent to it, and it has been told to clear its buffer; check that "
                           "the Winkey device is properly connected.")
                .arg(run.WinKeyPort),
            QStringLiteral("WinKey not answering."));
    }
    return run.WinKeyStatus;
}

void frmWinKey::stopFeeding() {
    RunState& run = app_.run();
    run.CWSendBuffer.clear();
    // A repeat would only start the message again.
    run.CWRepeatActive = 0;
    if (CWFrm* cw = app_.forms().cwFrmSlot().peek()) cw->tmrRepeat->setEnabled(false);
}

void frmWinKey::cmdStop_Click() {
    wk().wk_clearbuf();
    app_.run().CWSendBuffer.clear();
    if (isVisible()) cmdDone->SetFocus();
}

void frmWinKey::Command3_Click() {
    RunState& run = app_.run();
    const bool wasEmpty = run.CWSendBuffer.isEmpty();
    run.CWSendBuffer += QStringLiteral("VVV TEST DE ") + app_.station().OwnCall;
    // A send loop already draining the buffer picks the text up.
    if (wasEmpty) WKTransmit();
    if (isVisible()) cmdDone->SetFocus();
}

// ---- settings file, load and unload

QString frmWinKey::settingsPath() const {
    return app_.startup().DataFolder + QStringLiteral("/WK.txt");
}

void frmWinKey::cmdDone_Click() {
    try {
        const RunState& run = app_.run();
        RecordWriter w;
        w.integer(run.WinKeyPort).endRecord();
        for (TextBox* b : {txtWKWPM, txtWeight, txtLeadIn, txtTail, txtRatio})
            w.text(b->Text()).endRecord();
        w.integer(run.WinKeyPinConfig).endRecord();
        w.integer(run.WinKeyMode).endRecord();
        // Whole or not at all: a failed write leaves the former settings readable, and says so.
        SaveSettingsFile(platform(), settingsPath(), w.data());
    } catch (const Error&) {
        // The window hides all the same.
    }
    Hide();
}

void frmWinKey::Form_Load() {
    try {
        ScaleWindow(*this, platform().screen, platform().dialogs);
    } catch (const Error&) {
    }
    RunState& run = app_.run();
    run.WinKeyPinConfig = 6;
    run.WinKeyMode = 0;
    try {
        Files& files = platform().files;
        if (files.fileExists(settingsPath())) {
            RecordReader r(files.readAll(settingsPath()));
            run.WinKeyPort = r.readByte();
            for (TextBox* b : {txtWKWPM, txtWeight, txtLeadIn, txtTail, txtRatio})
                b->setText(r.readText());
            if (!r.atEnd()) {
                run.WinKeyPinConfig = r.readByte();
                if (!r.atEnd()) run.WinKeyMode = r.readByte();
            }
        }
        txtWKWPM->setText(app_.forms().CWFrm().Text11->Text());
        txtWKComPort->setText(QString::number(run.WinKeyPort));
        // A stored value of no option selects none: the design choice stays selected, and the
        // stored value is what the keyer gets.
        switch (run.WinKeyPinConfig) {
            case 5:
                optPTT->setValue(true);
                break;
            case 6:
                optTone->setValue(true);
                break;
            case 4:
                optKey5Off3Out->setValue(true);
                break;
            case 8:
                optKey5Out3Off->setValue(true);
                break;
            default:
                break;
        }
        switch (run.WinKeyMode) {
            case 16:
                optIambicA->setValue(true);
                break;
            case 0:
                optIambicB->setValue(true);
                break;
            case 32:
                optUltimatic->setValue(true);
                break;
            case 48:
                optBug->setValue(true);
                break;
            default:
                break;
        }
    } catch (const Error&) {
        // The load ends at the faulty value; what came before it stays.
    }
}

void frmWinKey::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    wk().wk_close();
}

}  // namespace qf
