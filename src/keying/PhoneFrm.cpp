// The voice keyer window: its controls, playing a function key's message with push-to-talk, the
// end of playback and the repeat, the port, the boxes' checks and "wave2.txt".
#include "keying/PhoneFrm.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/QuotedFieldLine.h"
#include "common/ScreenScaling.h"
#include "keying/CWFrm.h"
#include "keying/KeyerCommon.h"
#include "keying/frmWinKey.h"
#include "platform/Error.h"
#include "platform/FileSaves.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <cmath>

namespace qf {

namespace {

const QString kWaveFile = QStringLiteral("wave2.txt");

// A double quote cannot be carried by a value of "wave2.txt": it would shift every later value.
void refuseQuote(int& KeyAscii) {
    if (KeyAscii == '"') KeyAscii = 0;
}

// A number of the boxes; a text that is none is a type mismatch, as the original conversion.
double numberOf(const TextBox* box) {
    const auto n = CWFrm::NumberIn(box->Text());
    if (!n) throw Error(err::kTypeMismatch, QStringLiteral("Type mismatch"));
    return *n;
}

// The parallel port's base address; its control register (+ 2) must be an address the port
// library could take (a signed 16-bit value).
quint16 parallelAddress(const TextBox* box) {
    const auto a = CWFrm::PortAddress(box->Text());
    if (!a || *a + 2 > 32767) throw Error(err::kOverflow, QStringLiteral("Overflow"));
    return *a;
}

}  // namespace

PhoneFrm::PhoneFrm(App& app)
    : Form(app.platform(), QStringLiteral("PhoneFrm"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral("Phone Wave Selections"));
    // No close box: Done hides the window, which lives for the whole run.
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    Move(0, 0, 9600, 7200);
    buildControls();
    MMControl1 = platform().wavePlayers.create();
    CommPhone = platform().serialPorts.create();
    wireHandlers();
}

PhoneFrm::~PhoneFrm() {
    // A window destroyed without its unload (the end of a test) still leaves no line keyed.
    dropPushToTalk();
}

void PhoneFrm::buildControls() {
    auto label = [this](const QString& name, const QString& caption, double l, double t, double w,
                        double h = 255) {
        Label* lb = add<Label>(name, caption);
        lb->Move(l, t, w, h);
        return lb;
    };
    auto box = [this](const QString& name, const QString& text, double l, double t, double w) {
        TextBox* b = add<TextBox>(name);
        b->Move(l, t, w, 285);
        b->setText(text);
        return b;
    };
    auto button = [this](const QString& name, const QString& caption, double l, double t,
                         double w) {
        CommandButton* b = add<CommandButton>(name, caption);
        b->Move(l, t, w, 315);
        return b;
    };

    // The nine messages, each with its Browse button; the F1 row carries the repeat pause.
    TextBox** boxes[] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9};
    CommandButton** browse[] = {&Command2, &Command3, &Command4, &Command5, &Command6,
                                &Command7, &Command8, &Command9, &Command10};
    label(QStringLiteral("Label12"), QStringLiteral("Wave file"), 600, 120, 3000);
    label(QStringLiteral("Label13"), QStringLiteral("Loop (Sec)"), 5040, 120, 1000);
    for (int i = 0; i < 9; ++i) {
        const double top = 420 + i * 375;
        label(QStringLiteral("lblF%1").arg(i + 1), QStringLiteral("F%1").arg(i + 1), 120, top + 30,
              420);
        *boxes[i] = box(QStringLiteral("Text%1").arg(i + 1), QString(), 600, top, 3420);
        *browse[i] = button(QStringLiteral("Command%1").arg(i + 2), QStringLiteral("Browse"), 4080,
                            top, 900);
    }
    txtPHLoop = box(QStringLiteral("txtPHLoop"), QStringLiteral("0"), 5040, 420, 720);

    // The push-to-talk line and its ports.
    Frame1 = add<Frame>(QStringLiteral("Frame1"), QStringLiteral("PTT"));
    Frame1->Move(6000, 120, 3420, 1500);
    Option1 = add<OptionButton>(QStringLiteral("Option1"), QStringLiteral("RTS"), Frame1);
    Option2 = add<OptionButton>(QStringLiteral("Option2"), QStringLiteral("DTR"), Frame1);
    Option3 = add<OptionButton>(QStringLiteral("Option3"), QStringLiteral("Parallel"), Frame1);
    double top = 270;
    for (OptionButton* o : {Option1, Option2, Option3}) {
        o->Move(120, top, 1200, 285);
        top += 360;
    }
    label(QStringLiteral("Label14"), QStringLiteral("Com Port"), 7440, 420, 900);
    Text10 = box(QStringLiteral("Text10"), QStringLiteral("0"), 8400, 390, 840);
    label(QStringLiteral("Label15"), QStringLiteral("Address"), 7440, 1140, 900);
    Text11 = box(QStringLiteral("Text11"), QStringLiteral("&H378"), 8400, 1110, 840);

    Command11 = button(QStringLiteral("Command11"), QStringLiteral("Test"), 6000, 1800, 1500);
    label(QStringLiteral("Label16"), QStringLiteral("Plays F1 Command"), 7620, 1830, 1800);
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Done"), 6000, 2280, 1500);
    Label* note = label(QStringLiteral("Label17"), QStringLiteral("(You  must be in Phone mode)"),
                        6000, 2760, 3420);
    note->setFontBold(true);
    Label* caution =
        label(QStringLiteral("Label18"), QStringLiteral("Caution, RF feedback can damage your PC!"),
              6000, 3120, 3420);
    caution->setForeColor(0x0000FF);

    // What the operator needs to know, in our own words.
    label(QStringLiteral("Label1"), QStringLiteral("Setup:"), 120, 3900, 1200)->setFontBold(true);
    const QString setup[] = {
        QStringLiteral("Record each message with any sound recorder and save it as a wave (.wav) "
                       "file, then choose it here."),
        QStringLiteral("Connect the sound card's line output to the transceiver's microphone or "
                       "data input and raise the level gradually from low while you listen."),
    };
    const QString use[] = {
        QStringLiteral("Each wave file corresponds to a function key.  Select the wave file you "
                       "would like to associate with the function key. From the main logging "
                       "page, key your transmitter and press the appropriate function key each "
                       "time you wish to play a wave file."),
        QStringLiteral("When playing the wave file, you can either key your transmitter "
                       "manually, use VOX or an interface connected to your PC's serial port.  "
                       "To use the serial port, please enter the valid comm setting (or 0 for "
                       "none) and select whether you want to use the RTS or DTR line to key your "
                       "radio."),
    };
    top = 4170;
    int n = 2;
    for (const QString& text : setup) {
        label(QStringLiteral("Label%1").arg(n++), text, 120, top, 9300, 420);
        top += 450;
    }
    label(QStringLiteral("Label6"), QStringLiteral("To Use:"), 120, top, 1200)->setFontBold(true);
    top += 270;
    for (const QString& text : use) {
        label(QStringLiteral("Label%1").arg(n++ + 5), text, 120, top, 9300, 660);
        top += 690;
    }

    Option1->setValue(true);
    Timer1 = add<qf::Timer>(QStringLiteral("Timer1"), 40, false);
    tmrRepeat = add<qf::Timer>(QStringLiteral("tmrRepeat"), 0, false);
}

void PhoneFrm::wireHandlers() {
    TextBox* boxes[] = {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9};
    CommandButton* browse[] = {Command2, Command3, Command4, Command5, Command6,
                               Command7, Command8, Command9, Command10};
    for (int i = 0; i < 9; ++i) {
        boxes[i]->KeyPress = [](int& k) { refuseQuote(k); };
        TextBox* target = boxes[i];
        browse[i]->Click = [this, target] { Browse_Click(target); };
    }
    txtPHLoop->KeyPress = [](int& k) {
        if (k != 8 && k != '.' && (k < '0' || k > '9')) k = 0;
    };
    txtPHLoop->LostFocus = [this] { txtPHLoop_LostFocus(); };
    Text10->GotFocus = [this] { Text10_GotFocus(); };
    Text10->LostFocus = [this] { Text10_LostFocus(); };
    Text10->KeyPress = [](int& k) { refuseQuote(k); };
    Text11->KeyPress = [](int& k) {
        refuseQuote(k);
        if (k >= 'a' && k <= 'z') k -= 32;
    };
    Command1->Click = [this] { Command1_Click(); };
    Command11->Click = [this] { Command11_Click(); };
    Timer1->Tick = [this] { Timer1_Timer(); };
    tmrRepeat->Tick = [this] { tmrRepeat_Timer(); };
}

// ---- load and unload

void PhoneFrm::Form_Load() {
    ScaleWindow(*this, platform().screen, platform().dialogs);
}

void PhoneFrm::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // The window has no close box; only the logging window's unload closes it.
    if (UnloadMode == kUnloadFromControlMenu) Cancel = 1;
}

void PhoneFrm::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    Timer1->setEnabled(false);
    tmrRepeat->setEnabled(false);
    try {
        MMControl1->setCommand(QStringLiteral("Close"));
    } catch (const Error&) {
    }
    ClosePushToTalkPort();
}

// ---- playing a message

TextBox* PhoneFrm::waveBox(int keyCode) const {
    TextBox* const boxes[] = {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9};
    return boxes[keyCode - 112];
}

void PhoneFrm::FKeyPhone(int KeyCode) {
    if (!(KeyCode > 111 && KeyCode < 121)) return;
    WavePlayer& p = *MMControl1;
    bool opening = false;
    try {
        ResetWavePlayer(p);
        if (KeyCode == 112 && numberOf(txtPHLoop) > 0) app_.run().VoiceRepeatActive = 1;
        p.FileName = waveBox(KeyCode)->Text();
        if (p.FileName.trimmed().isEmpty()) return;
        // The recording is read before the transmitter is keyed: a file that is missing or no
        // wave file a sound device plays keys nothing, and only beeps.
        opening = true;
        p.setCommand(QStringLiteral("Open"));
    } catch (const Error&) {
        if (opening) platform().beeper.beep();
        return;
    }
    try {
        if (!raisePushToTalk()) {
            // A line that would not go up: nothing goes out on a transmitter that may not be
            // keyed, and the operator is told which keying failed.
            abandonPlay();
            reportInvalidPort();
            return;
        }
        p.setCommand(QStringLiteral("play"));
        Timer1->setEnabled(true);
    } catch (const Error&) {
        // Silent, except that a transmitter keyed for a message that will not play is unkeyed
        // at once, with a beep to say why nothing went out.
        const bool wasUp = PushToTalkUp();
        abandonPlay();
        if (wasUp) platform().beeper.beep();
    }
}

void PhoneFrm::abandonPlay() {
    dropPushToTalk();
    Timer1->setEnabled(false);
    try {
        MMControl1->setCommand(QStringLiteral("Close"));
    } catch (const Error&) {
    }
}

bool PhoneFrm::StopPlayback() {
    const bool busy = MMControl1->Mode() == mci::kPlaying || PushToTalkUp();
    if (!busy) return false;
    if (MMControl1->Mode() == mci::kPlaying) MMControl1->setCommand(QStringLiteral("Stop"));
    // Released now rather than at the next tick: the transmitter is the operator's again the
    // moment Esc is pressed. No repeat is armed for a message that was stopped.
    Timer1->setEnabled(false);
    dropPushToTalk();
    return true;
}

bool PhoneFrm::raisePushToTalk() {
    // A line that cannot be set is a failed port, unlike an address box that holds no address.
    auto raise = [](KeyingLine& line) {
        try {
            line.setKeyDown(true);
            return true;
        } catch (const Error&) {
            return false;
        }
    };
    if (numberOf(Text10) > 0) {
        if (!CommPhone->PortOpen()) PhoneSetup();
        // A port the operator could not open keys nothing.
        if (CommPhone->PortOpen()) {
            const SerialSignal signal = Option2->Value() ? SerialSignal::Dtr : SerialSignal::Rts;
            const int port = CommPhone->CommPort();
            const bool already =
                std::any_of(raised_.begin(), raised_.end(), [&](const RaisedLine& r) {
                    return !r.parallel && r.port == port && r.signal == signal;
                });
            if (!already) {
                // Remembered before it is set, so a line that half-failed is still dropped.
                raised_.push_back({false, port, signal, 0});
                if (!raise(*platform().keyingLines.serialLine(*CommPhone, signal))) return false;
            }
        }
    }
    if (Option3->Value()) {
        const quint16 base = parallelAddress(Text11);
        const bool already = std::any_of(raised_.begin(), raised_.end(), [&](const RaisedLine& r) {
            return r.parallel && r.address == base;
        });
        if (!already) raised_.push_back({true, 0, SerialSignal::Rts, base});
        if (!raise(*platform().keyingLines.parallelLine(base))) return false;
    }
    return true;
}

void PhoneFrm::dropPushToTalk() {
    // Every line is tried, whatever happens to the others.
    const std::vector<RaisedLine> lines = std::move(raised_);
    raised_.clear();
    for (const RaisedLine& r : lines) {
        try {
            if (r.parallel) {
                platform().keyingLines.parallelLine(r.address)->setKeyDown(false);
            } else if (CommPhone->PortOpen() && CommPhone->CommPort() == r.port) {
                platform().keyingLines.serialLine(*CommPhone, r.signal)->setKeyDown(false);
            }
        } catch (const Error&) {
        }
    }
}

void PhoneFrm::Timer1_Timer() {
    if (MMControl1->Mode() == mci::kPlaying) return;
    Timer1->setEnabled(false);
    dropPushToTalk();
    if (app_.run().VoiceRepeatActive == 1) tmrRepeat->setEnabled(true);
}

void PhoneFrm::tmrRepeat_Timer() {
    tmrRepeat->setEnabled(false);
    FKeyPhone(112);
}

// ---- the push-to-talk port

void PhoneFrm::ClosePushToTalkPort() {
    dropPushToTalk();
    try {
        if (CommPhone->PortOpen()) CommPhone->setPortOpen(false);
    } catch (const Error&) {
    }
}

void PhoneFrm::PhoneSetup() {
    try {
        if (!(numberOf(Text10) > 0)) return;
        // The keyers share ports: the WinKey and the CW port give theirs up first.
        if (app_.run().WinKeyVersion != 0) app_.forms().frmWinKey().cmdCloseWinkey_Click();
        CWFrm& cw = app_.forms().CWFrm();
        if (cw.Comm->PortOpen()) cw.Comm->setPortOpen(false);
        ClosePushToTalkPort();
        const double n = std::nearbyint(numberOf(Text10));
        if (n > 32767) throw Error(err::kOverflow, QStringLiteral("Overflow"));
        CommPhone->setCommPort(static_cast<int>(n));
        CommPhone->setDTREnable(false);
        CommPhone->setRTSEnable(false);
        CommPhone->setPortOpen(true);
    } catch (const Error&) {
        reportInvalidPort();
    }
}

void PhoneFrm::reportInvalidPort() {
    ReportKeyingFailure(platform(),
                        QStringLiteral("The port you have selected for Phone keying is "
                                       "invalid.  Please select another or enter 0 for none."),
                        QStringLiteral("Invalid port."));
    if (!isVisible()) ShowModal();
}

// ---- boxes and buttons

void PhoneFrm::Text10_GotFocus() {
    Text10->setSelLength(static_cast<int>(Text10->Text().size()));
}

void PhoneFrm::Text10_LostFocus() {
    if (!CWFrm::NumberIn(Text10->Text())) Text10->setText(QStringLiteral("0"));
    PhoneSetup();
}

void PhoneFrm::txtPHLoop_LostFocus() {
    try {
        const auto n = CWFrm::NumberIn(txtPHLoop->Text());
        if (n && *n >= 0 && *n < 60) {
            tmrRepeat->setInterval(static_cast<int>(std::nearbyint(*n * 1000)));
            return;
        }
    } catch (const Error&) {
        platform().beeper.beep();
    }
    txtPHLoop->setText(QStringLiteral("0"));
    tmrRepeat->setInterval(0);
}

void PhoneFrm::Browse_Click(TextBox* box) {
    try {
        FileRequest request;
        request.filter = QStringLiteral("(*.wav)|*.wav");
        const QString chosen = platform().dialogs.fileOpen(request);
        // A quote would break "wave2.txt"; such a path is refused like a cancel.
        if (chosen.contains(QLatin1Char('"')))
            throw Error(err::kInvalidCall, QStringLiteral("Invalid procedure call or argument"));
        box->setText(chosen);
        if (isVisible()) Command1->SetFocus();
    } catch (const Error&) {
        platform().beeper.beep();
    }
}

void PhoneFrm::Command11_Click() {
    FKeyPhone(112);
    if (isVisible()) Command1->SetFocus();
}

// ---- "wave2.txt"

QByteArray PhoneFrm::SettingsFileData() const {
    RecordWriter w;
    for (TextBox* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9})
        w.text(box->Text().trimmed()).endRecord();
    w.text(Text10->Text()).endRecord();
    if (Option1->Value()) {
        w.integer(0);
    } else if (Option2->Value()) {
        w.integer(1);
    } else if (Option3->Value()) {
        w.integer(2);
    }
    w.endRecord();
    w.text(txtPHLoop->Text()).endRecord();
    w.text(Text11->Text()).endRecord();
    return w.data();
}

void PhoneFrm::Command1_Click() {
    Hide();
    // Whole or not at all: a failed write leaves the old settings readable, and says so.
    SaveSettingsFile(platform(), kWaveFile, SettingsFileData());
}

void PhoneFrm::LoadVoiceSettings(const QByteArray& data) {
    RecordReader r(data);
    for (TextBox* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9})
        box->setText(r.readText());
    Text10->setText(r.readText());
    // The push-to-talk line: 0 (or nothing chosen) RTS, 1 DTR, 2 the parallel port; any other
    // value leaves the window's own choice.
    const QString line = r.readText().trimmed();
    double v = 0;
    if (line.isEmpty()) {
        Option1->setValue(true);
    } else if (parseNumber(line, v) && (v == 0 || v == 1 || v == 2)) {
        (v == 0 ? Option1 : v == 1 ? Option2 : Option3)->setValue(true);
    }
    txtPHLoop->setText(r.readText());
    tmrRepeat->setInterval(RepeatIntervalMs(txtPHLoop->Text()));
    Text11->setText(r.readText());
}

}  // namespace qf
