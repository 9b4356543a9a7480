// The spotting window: its controls, the settings file, the source list and its panels, Open
// Port, Close Port, "&Spot Last", the command-mode key, Done, activation and unload.
#include "spots/PacketSpotfrm.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/QuotedFieldLine.h"
#include "common/ScreenScaling.h"
#include "platform/Colors.h"
#include "platform/Error.h"
#include "platform/FileSaves.h"
#include "platform/Files.h"

#include <QFocusEvent>
#include <QScrollBar>

namespace qf {

namespace {

const QString kSpotSettingsFile = QStringLiteral("PackSpot.txt");
const QString kCrLf2 = QStringLiteral("\r\n\r\n");

QString trimRight(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == QLatin1Char(' ')) --n;
    return s.left(n);
}

}  // namespace

// ---- MonitorBox

MonitorBox::MonitorBox(Form& form, QString name, const SpotMonitor& monitor)
    : WidgetControl<QPlainTextEdit>(form, std::move(name), ControlKind::TextBox, form.client()),
      monitor_(monitor) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setUndoRedoEnabled(false);
    // The text belongs to the window; typing here would make the box differ from it.
    setReadOnly(true);
    applyGeometry();
    applyFont();
}

void MonitorBox::refresh() {
    if (drawn_ == monitor_.revision()) return;
    drawn_ = monitor_.revision();
    // A CR LF pair is one line end; a lone CR or LF shows as one too.
    const auto shownForm = [](QString s) {
        return s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    };
    const QString& text = monitor_.text();
    if (monitor_.rewrites() == drawnRewrites_ && text.size() >= drawnSize_) {
        // Only added to since the last draw: a busy cluster adds a few lines at a time, and
        // laying out the whole box again for each would cost more than the spots themselves.
        QString more = text.mid(drawnSize_);
        // A CR LF split between two arrivals: the CR already showed as the line end.
        if (drawnSize_ > 0 && text[drawnSize_ - 1] == QLatin1Char('\r') &&
            more.startsWith(QLatin1Char('\n')))
            more.remove(0, 1);
        if (!more.isEmpty()) {
            QTextCursor end(document());
            end.movePosition(QTextCursor::End);
            end.insertText(shownForm(more));
        }
    } else {
        setPlainText(shownForm(text));
    }
    drawnRewrites_ = monitor_.rewrites();
    drawnSize_ = text.size();
    if (monitor_.caret() > 0) {
        moveCursor(QTextCursor::End);
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
}

void MonitorBox::setBackColor(quint32 color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(color));
    setPalette(pal);
}

void MonitorBox::setForeColor(quint32 color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Text, toQColor(color));
    setPalette(pal);
}

void MonitorBox::focusInEvent(QFocusEvent* e) {
    QPlainTextEdit::focusInEvent(e);
    focusIn(e->reason());
}

void MonitorBox::focusOutEvent(QFocusEvent* e) {
    QPlainTextEdit::focusOutEvent(e);
    focusOut(e->reason());
}

// ---- the window

PacketSpotfrm::PacketSpotfrm(App& app)
    : Form(app.platform(), QStringLiteral("PacketSpotfrm"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral(" DX Spotting Setup"));
    // No close box: Done hides the window, which lives until the logging window closes.
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    KeyPreview = true;
    setFontName(QStringLiteral("Times New Roman"));
    setFontSize(8.25);
    // The design size is the client area: the border and title bar come on top, or the
    // bottom row of controls would lie under the window's lower edge.
    Move(0, 0, 9420 + 2 * kBorderTwips, 5955 + 2 * kBorderTwips + kCaptionTwips);
    buildControls();
    comComm1 = platform().serialPorts.create();
    Winsock1 = platform().tcpClients.create();
    wireTelnet();
    wireHandlers();
}

PacketSpotfrm::~PacketSpotfrm() = default;

void PacketSpotfrm::buildControls() {
    auto label = [this](const char* name, const QString& caption, double l, double t, double w,
                        double h) {
        Label* lb = add<Label>(QString::fromLatin1(name), caption);
        lb->Move(l, t, w, h);
        return lb;
    };
    auto rightLabel = [&](const char* name, const QString& caption, double l, double t, double w,
                          double h) {
        Label* lb = label(name, caption, l, t, w, h);
        lb->setAlignment(Qt::AlignRight | Qt::AlignTop);
        return lb;
    };
    auto frame = [this](const char* name, const char* caption, double l, double t, double w,
                        double h) {
        Frame* f = add<Frame>(QString::fromLatin1(name), QString::fromLatin1(caption));
        f->Move(l, t, w, h);
        return f;
    };
    // The options of a frame stand side by side in its one row.
    auto option = [this](const char* name, const char* caption, Frame* f, double l, double w) {
        OptionButton* o =
            add<OptionButton>(QString::fromLatin1(name), QString::fromLatin1(caption), f);
        o->Move(l, 220, w, 240);
        return o;
    };
    auto button = [this](const char* name, const QString& caption, double l, double t, double w,
                         double h) {
        CommandButton* b = add<CommandButton>(QString::fromLatin1(name), caption);
        b->Move(l, t, w, h);
        return b;
    };

    Label1 = label("Label1", QStringLiteral("Select Option:"), 240, 90, 1935, 375);
    Label1->setFontSize(9.75);
    Label1->setFontBold(true);
    List1 = add<ListBox>(QStringLiteral("List1"), false);
    List1->Move(120, 360, 1815, 1230);
    chkDX = add<CheckBox>(QStringLiteral("chkDX"),
                          QStringLiteral("List DX Only (also controls main form)"));
    chkDX->Move(240, 1680, 1815, 495);

    fraPort = frame("fraPort", "Comm Port", 2160, 120, 6375, 495);
    for (int i = 0; i < 10; ++i) {
        OptionButton* o = add<OptionButton>(QStringLiteral("optComm(%1)").arg(i),
                                            QString::number(i + 1), fraPort);
        o->Move(120 + i * 620, 220, 600, 240);
        optComm[static_cast<size_t>(i)] = o;
    }
    optComm[0]->setValue(true);

    fraBaud =
        frame("fraBaud", "Baud Rate of Com Port to TNC (not necessarily transmitted baud rate)",
              2160, 660, 6375, 495);
    optBaud12 = option("optBaud12", "1.2k", fraBaud, 120, 900);
    optBaud24 = option("optBaud24", "2.4k", fraBaud, 1140, 900);
    optBaud48 = option("optBaud48", "4.8k", fraBaud, 2160, 900);
    optBaud96 = option("optBaud96", "9.6k", fraBaud, 3180, 900);
    optBaud144 = option("optBaud144", "14.4k", fraBaud, 4200, 950);
    optBaud192 = option("optBaud192", "19.2k", fraBaud, 5220, 950);
    optBaud192->setValue(true);

    fraParity = frame("fraParity", "Parity", 2160, 1200, 3495, 495);
    optParityOdd = option("optParityOdd", "Odd", fraParity, 120, 1000);
    optParityNone = option("optParityNone", "None", fraParity, 1220, 1000);
    optParityEven = option("optParityEven", "Even", fraParity, 2320, 1000);
    optParityNone->setValue(true);

    fraData = frame("fraData", "Data Bits", 5760, 1200, 1455, 495);
    optData7 = option("optData7", "7", fraData, 120, 600);
    optData8 = option("optData8", "8", fraData, 760, 600);
    optData8->setValue(true);

    fraStop = frame("fraStop", "Stop Bits", 7320, 1200, 1215, 495);
    optStop1 = option("optStop1", "1", fraStop, 120, 500);
    optStop2 = option("optStop2", "2", fraStop, 640, 500);
    optStop1->setValue(true);

    fraPower = frame("fraPower", "Connection Power", 2160, 1740, 2415, 495);
    optPowerNone = option("optPowerNone", "None", fraPower, 120, 750);
    optPowerRTS = option("optPowerRTS", "RTS", fraPower, 900, 700);
    optPowerDTR = option("optPowerDTR", "DTR", fraPower, 1640, 700);
    optPowerNone->setValue(true);

    Frame1 = frame("Frame1", "Handshaking", 4680, 1740, 3855, 495);
    Option1 = option("Option1", "None", Frame1, 120, 750);
    Option2 = option("Option2", "Xon Xoff", Frame1, 900, 1000);
    Option3 = option("Option3", "RTS", Frame1, 1940, 700);
    Option4 = option("Option4", "RTS OnOff", Frame1, 2680, 1140);
    Option1->setValue(true);

    Label2 =
        rightLabel("Label2", QStringLiteral("TNC cmd mode hex character:"), 0, 2400, 2415, 225);
    txtHex = add<TextBox>(QStringLiteral("txtHex"));
    txtHex->Move(2520, 2400, 375, 315);
    txtHex->setMaxLength(2);
    Label7 = rightLabel("Label7", QStringLiteral("Telnet Host:"), 3120, 2400, 975, 240);
    txtTelnetHost = add<TextBox>(QStringLiteral("txtTelnetHost"));
    txtTelnetHost->Move(4200, 2400, 1215, 315);
    Label3 = rightLabel("Label3", QStringLiteral("Telnet Port:"), 5520, 2400, 1095, 255);
    txtTelnetPort = add<TextBox>(QStringLiteral("txtTelnetPort"));
    txtTelnetPort->Move(6720, 2400, 375, 315);
    txtTelnetPort->setMaxLength(5);

    Frame2 = frame("Frame2", "Main Form Display", 7440, 2260, 1935, 495);
    OptList = option("OptList", "List", Frame2, 120, 700);
    OptBand = option("OptBand", "Band Map", Frame2, 780, 1125);
    OptBand->setValue(true);

    cmdDone = button("cmdDone", QStringLiteral("&Done"), 8640, 120, 735, 500);
    cmdDone->setFontBold(true);
    Command1 = button("Command1", QStringLiteral("Open Port"), 8680, 720, 660, 495);
    Command2 = button("Command2", QStringLiteral("Close Port"), 8680, 1320, 660, 495);
    Label4 = label("Label4", QStringLiteral("Listening"), 8640, 1920, 735, 300);
    Label4->setForeColor(0xFFFFFF);
    Label4->setBackColor(0xFF0000);  // blue
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setFrameStyle(QFrame::Box | QFrame::Plain);
    Label4->setFontName(QStringLiteral("Arial"));
    Label4->setFontSize(6.75);
    Label4->setVisible(false);

    Line1 = add<Line>(QStringLiteral("Line1"), 120.0, 2790.0, 9240.0, 2790.0);

    txtUnProcessed = add<MonitorBox>(QStringLiteral("txtUnProcessed"), std::cref(Monitor));
    txtUnProcessed->Move(120, 2880, 9135, 2535);
    txtUnProcessed->setFontName(QStringLiteral("Courier New"));
    txtUnProcessed->setFontSize(9);
    txtUnProcessed->setBackColor(0x800000);  // dark blue
    txtUnProcessed->setForeColor(0xFFFFFF);

    chkConvToHex = add<CheckBox>(QStringLiteral("chkConvToHex"), QStringLiteral("Convert to Hex"));
    chkConvToHex->Move(7080, 4200, 1575, 375);
    chkConvToHex->setVisible(false);

    Label6 =
        rightLabel("Label6", QStringLiteral("Send text  (Ctrl  C or Esc for TNC Command mode):"), 0,
                   5595, 3975, 375);
    txtSent = add<TextBox>(QStringLiteral("txtSent"));
    txtSent->Move(4080, 5520, 4575, 315);
    txtSent->setFontName(QStringLiteral("Arial"));
    txtSent->setFontSize(9);
    txtSent->setFontBold(true);

    Command3 = button("Command3", QStringLiteral("&Spot Last"), 8760, 5440, 615, 495);
    Command3->setFontName(QStringLiteral("Arial"));
    Command3->setFontSize(6.75);
    Command3->setFocusPolicy(Qt::ClickFocus);  // no tab stop

    // The send box is first in the tab order.
    setTabOrder(txtSent, List1);
    Timer1 = add<qf::Timer>(QStringLiteral("Timer1"), 333, false);
}

void PacketSpotfrm::wireHandlers() {
    List1->Click = [this] { List1_Click(); };
    for (OptionButton* o : optComm) o->Click = [this] { optionClick(); };
    for (OptionButton* o : {optBaud12,    optBaud24,   optBaud48,    optBaud96,     optBaud144,
                            optBaud192,   optData7,    optData8,     Option1,       Option2,
                            Option3,      Option4,     optParityOdd, optParityNone, optParityEven,
                            optPowerNone, optPowerRTS, optPowerDTR,  optStop1,      optStop2})
        o->Click = [this] { optionClick(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command3->Click = [this] { Command3_Click(); };
    cmdDone->Click = [this] { cmdDone_Click(); };
    txtSent->KeyPress = [this](int& KeyAscii) { txtSent_KeyPress(KeyAscii); };
    txtSent->Change = [this] { txtSent_Change(); };
    Timer1->Tick = [this] { Timer1_Timer(); };
}

bool PacketSpotfrm::sourceIs(const char* name) const {
    return SpotSource.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

bool PacketSpotfrm::listening() const {
    return Label4->Visible();
}

void PacketSpotfrm::focusSendBox() {
    // Disabled while no source's panel is on (no settings yet, or a load that stopped early):
    // then the focus simply stays where it is.
    if (!txtSent->Enabled() || !txtSent->Visible() || isHidden()) return;
    try {
        txtSent->SetFocus();
    } catch (const Error&) {
    }
}

// ---- load, activation, unload

void PacketSpotfrm::Form_Load() {
    try {
        ScaleWindow(*this, platform().screen, platform().dialogs);
    } catch (const Error&) {
        // A scaling failure leaves the design geometry; the window still works.
    }
    for (const char* s : {"None", "TNC", "Telnet", "AGW Packet Engine"})
        List1->AddItem(QString::fromLatin1(s));
    DisableSpotOptions();
    SpotLoading = 1;
    try {
        LoadSpotSettings();
    } catch (const Error&) {
        // A missing, short or damaged file stops the restore where it failed; what came
        // first stays.
    }
    SpotLoading = 0;
    SpotLineBuffer = TncLineBuffer(QStringLiteral("\n"));
}

bool PacketSpotfrm::event(QEvent* e) {
    const bool handled = Form::event(e);
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return handled;
}

void PacketSpotfrm::Form_Activate() {
    if (sourceIs("None")) return;
    TrimMonitor();
    focusSendBox();
}

void PacketSpotfrm::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // No close box: only the logging window's unload closes the spotting window.
    if (UnloadMode == kUnloadFromControlMenu) Cancel = 1;
}

void PacketSpotfrm::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    try {
        unloadAGW();
    } catch (const Error&) {
    }
    // The port and timer go with the window.
    Timer1->setEnabled(false);
    comComm1->setPortOpen(false);
    closeTelnet();
}

// ---- the settings file

void PacketSpotfrm::LoadSpotSettings() {
    Files& files = platform().files;
    const QString path = files.resolve(kSpotSettingsFile);
    if (!files.fileExists(path)) throw Error(err::kFileNotFound, QStringLiteral("File not found"));
    RecordReader r(files.readAll(path));
    // Each value goes straight into its variable: a short file keeps what was read before.
    SpotBaud = r.readText();
    SpotParity = r.readText();
    SpotDataBits = r.readText();
    SpotStopBits = r.readText();
    SpotPort = r.readByte();
    SpotPower = r.readText();
    SpotSource = r.readText();
    const int convToHex = r.readInt16();
    SpotHandshaking = r.readByte();
    (void)r.readInt16();  // "List DX Only": clear after every load
    const bool list = r.readBool();
    const QString hex = r.readText();
    const QString telnetPort = r.readText();
    const QString telnetHost = r.readText();

    chkConvToHex->setValue(convToHex);
    if (list) OptList->setValue(true);
    txtHex->setText(hex);
    txtTelnetPort->setText(telnetPort);
    txtTelnetHost->setText(telnetHost);
    for (int i = 0; i < List1->ListCount(); ++i) {
        // The source is compared without regard to case, here as everywhere in the window.
        if (List1->List(i).compare(SpotSource, Qt::CaseInsensitive) == 0) {
            List1->setListIndex(i);
            List1_Click();
        }
    }
    if (SpotPort < 1 || SpotPort > 10)
        throw Error(err::kSubscript, QStringLiteral("Control array element does not exist"));
    optComm[static_cast<size_t>(SpotPort - 1)]->setValue(true);

    auto setGroup = [](const QString& value,
                       std::initializer_list<std::pair<const char*, OptionButton*>> group) {
        for (const auto& [text, o] : group)
            o->setValue(value.compare(QLatin1String(text), Qt::CaseInsensitive) == 0);
    };
    setGroup(trimRight(SpotBaud), {{"1200", optBaud12},
                                   {"2400", optBaud24},
                                   {"4800", optBaud48},
                                   {"9600", optBaud96},
                                   {"14400", optBaud144},
                                   {"19200", optBaud192}});
    setGroup(SpotParity, {{"O", optParityOdd}, {"N", optParityNone}, {"E", optParityEven}});
    setGroup(SpotDataBits, {{"7", optData7}, {"8", optData8}});
    setGroup(SpotStopBits, {{"1", optStop1}, {"2", optStop2}});
    setGroup(SpotPower, {{"N", optPowerNone}, {"R", optPowerRTS}, {"D", optPowerDTR}});
    const std::array<OptionButton*, 4> handshaking{Option1, Option2, Option3, Option4};
    if (SpotHandshaking >= 1 && SpotHandshaking <= 4)
        handshaking[SpotHandshaking - 1u]->setValue(true);
    SpotLoading = 0;
    if (sourceIs("TNC")) EnableTNCOptions();
    if (sourceIs("Telnet")) EnableTelnetOptions();
    if (sourceIs("AGW Packet Engine")) EnableAGWOptions();
    if (!sourceIs("None")) Command1_Click();
}

void PacketSpotfrm::SaveSpotSettings() {
    RecordWriter w;
    w.text(SpotBaud).endRecord();
    w.text(SpotParity).endRecord();
    w.text(SpotDataBits).endRecord();
    w.text(SpotStopBits).endRecord();
    w.integer(SpotPort).endRecord();
    w.text(SpotPower).endRecord();
    w.text(SpotSource).endRecord();
    w.integer(chkConvToHex->Value()).endRecord();
    w.integer(SpotHandshaking).endRecord();
    w.integer(chkDX->Value()).endRecord();
    w.boolean(OptList->Value()).endRecord();
    w.text(txtHex->Text()).endRecord();
    w.text(txtTelnetPort->Text()).endRecord();
    w.text(txtTelnetHost->Text()).endRecord();
    // The file as it was stays when this fails, and the operator is told.
    SaveSettingsFile(platform(), kSpotSettingsFile, w.data());
}

// ---- the source list and its panels

void PacketSpotfrm::List1_Click() {
    try {
        chkDX->setValue(0);
        if (SpotLoading == 0) {
            Command2_Click();
            DisableSpotOptions();
            SpotSource = List1->Text();
            if (sourceIs("TNC")) {
                optBaud96->setValue(true);
                optParityNone->setValue(true);
                optData8->setValue(true);
                optStop1->setValue(true);
                Option3->setValue(true);
                txtHex->setText(QStringLiteral("03"));
                EnableTNCOptions();
            }
        }
        ShowSpotHelp();
        if (sourceIs("Telnet")) EnableTelnetOptions();
        if (sourceIs("AGW Packet Engine")) EnableAGWOptions();
        if (sourceIs("TNC"))
            Label6->setCaption(QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):"));
        if (sourceIs("AGW Packet Engine"))
            Label6->setCaption(
                QStringLiteral("Send text (use : to send cmds such as :C Ardlow or :D)"));
        if (sourceIs("Telnet"))
            Label6->setCaption(QStringLiteral("Type text to send and press enter:"));
    } catch (const Error&) {
    }
}

void PacketSpotfrm::DisableSpotOptions() {
    for (Control* c : std::initializer_list<Control*>{
             fraPort, fraBaud,       fraParity, fraData,      fraStop, fraPower,
             Frame1,  Label2,        txtHex,    chkConvToHex, Label7,  txtTelnetHost,
             Label3,  txtTelnetPort, Frame2,    OptList,      OptBand, chkDX,
             Label6,  txtSent,       Command1,  Command2})
        c->setEnabled(false);
    for (OptionButton* o : optComm) o->setEnabled(false);
    for (OptionButton* o :
         {optBaud12,     optBaud24,     optBaud48, optBaud96, optBaud144, optBaud192, optParityOdd,
          optParityNone, optParityEven, optData7,  optData8,  optStop1,   optStop2,   optPowerNone,
          optPowerRTS,   optPowerDTR,   Option1,   Option2,   Option3,    Option4})
        o->setEnabled(false);
}

namespace {
void enable(std::initializer_list<Control*> controls) {
    for (Control* c : controls) c->setEnabled(true);
}
}  // namespace

void PacketSpotfrm::EnableTNCOptions() {
    enable({fraPort, fraBaud, fraParity, fraData, fraStop, fraPower, Frame1, Label2, txtHex, Frame2,
            OptList, OptBand, chkDX, Label6, txtSent, Command1, Command2, Label4, Label1});
    for (OptionButton* o : optComm) o->setEnabled(true);
    enable({optBaud12,   optBaud24,    optBaud48,     optBaud96,     optBaud144,
            optBaud192,  optParityOdd, optParityNone, optParityEven, optData7,
            optData8,    optStop1,     optStop2,      optPowerNone,  optPowerRTS,
            optPowerDTR, Option1,      Option2,       Option3,       Option4});
}

void PacketSpotfrm::EnableTelnetOptions() {
    enable({Label7, txtTelnetHost, Label3, txtTelnetPort, Frame2, OptList, OptBand, chkDX, Label6,
            txtSent, Command1, Command2});
}

void PacketSpotfrm::EnableAGWOptions() {
    enable({Frame2, OptList, OptBand, chkDX, Label6, txtSent, Command1, Command2});
}

void PacketSpotfrm::optionClick() {
    if (SpotLoading != 0) return;
    Command2_Click();
}

// ---- Open Port, Close Port, Spot Last, the command-mode key, Done

void PacketSpotfrm::Command1_Click() {
    try {
        replaceMonitor(QStringLiteral("** Attempting to Open Port **") + kCrLf2);
        if (comComm1->PortOpen()) comComm1->setPortOpen(false);
        if (!sourceIs("None")) {
            Label4->setVisible(true);
            if (isVisible()) focusSendBox();
        }
        if (sourceIs("TNC")) ReadCommSettings();
        if (sourceIs("AGW Packet Engine")) ConnectAGW();
        if (sourceIs("Telnet")) ConnectTelnet();
    } catch (const Error&) {
    }
}

void PacketSpotfrm::Command2_Click() {
    if (!listening()) return;
    try {
        Label4->setVisible(false);
        appendMonitor(kCrLf2 + QStringLiteral("** Port Closed **"));
        TrimMonitor();
        if (comComm1->PortOpen()) comComm1->setPortOpen(false);
        closeTelnet();
        if (sourceIs("AGW Packet Engine")) closeAGW();
        Timer1->setEnabled(false);
    } catch (const Error&) {
    }
}

void PacketSpotfrm::feedEnded(const QString& notice) {
    if (!notice.isEmpty()) appendMonitor(notice);
    Command2_Click();
    TrimMonitor();
    platform().beeper.beep();
}

void PacketSpotfrm::Command3_Click() {
    try {
        const QSOLog& log = app_.log();
        const QString call = log[log.QSOCount].Call;
        txtSent->setText(QStringLiteral("DX Frequency in kHz ") + call);
        focusSendBox();
        txtSent->setSelStart(3);
        txtSent->setSelLength(16);
    } catch (const Error&) {
    }
}

void PacketSpotfrm::Form_KeyDown(int& KeyCode, int Shift) {
    const bool esc = KeyCode == 27;
    const bool ctrlC = KeyCode == 67 && Shift == 2;
    if (!esc && !ctrlC) return;
    try {
        chkDX->setValue(0);
        if (!listening()) Command1_Click();
        if (comComm1->PortOpen() && sourceIs("TNC")) {
            bool ok = false;
            const QString hex = txtHex->Text();
            const uint code = hex.toUInt(&ok, 16);
            // Empty or not hexadecimal: nothing is sent and the key goes on.
            if (hex.isEmpty() || !ok) return;
            writeTNC(QByteArray(1, static_cast<char>(code & 0xFF)));
            KeyCode = 0;
            focusSendBox();
        }
        if (txtSent->Text().isEmpty()) focusSendBox();
    } catch (const Error&) {
    }
}

void PacketSpotfrm::cmdDone_Click() {
    try {
        if (!sourceIs("None") && !listening()) Command1_Click();
        app_.forms().Form1().SavePref();
        SaveSpotSettings();
        app_.forms().Form1().PacketResize();
        Hide();
    } catch (const Error&) {
    }
}

}  // namespace qf
