// The CW window: its controls, its load and the handlers of its boxes and buttons.
#include "keying/CWFrm.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/KeyFilters.h"
#include "common/QuotedFieldLine.h"
#include "common/ScreenScaling.h"
#include "keying/KeyerCommon.h"
#include "platform/Error.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "platform/WinKey.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>

namespace qf {

namespace {

const QString kRegistryApp = QStringLiteral("Ardlow_Software");
const QString kRegistrySection = QStringLiteral("Settings");

// A double quote would shift every later value of "CW.txt" at the next start.
void refuseQuote(int& KeyAscii) {
    if (KeyAscii == '"') KeyAscii = 0;
}

void selectAll(TextBox* box) {
    box->setSelStart(0);
    box->setSelLength(static_cast<int>(box->Text().size()));
}

QString shortestText(double v) {
    return QString::fromLatin1(formatDouble(v));
}

}  // namespace

std::optional<double> CWFrm::NumberIn(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    double v = 0;
    if (!re.match(text).hasMatch() || !parseNumber(text, v)) return std::nullopt;
    return v;
}

std::optional<quint16> CWFrm::PortAddress(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    qlonglong v = 0;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        v = t.mid(2).toLongLong(&ok, 16);
    } else if (const auto n = NumberIn(t)) {
        v = std::llround(*n);
        ok = true;
    }
    if (!ok || v < 0 || v > 0xFFFF - 2) return std::nullopt;
    return static_cast<quint16>(v);
}

CWFrm::CWFrm(App& app) : Form(app.platform(), QStringLiteral("CWFrm"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral("CW String Selections"));
    // No close box: Done hides the window, which lives for the whole run.
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    Move(0, 0, 9600, 7020);
    buildControls();
    Comm = platform().serialPorts.create();
    wireHandlers();
}

CWFrm::~CWFrm() = default;

void CWFrm::buildControls() {
    auto label = [this](const char* name, const QString& caption, double l, double t, double w,
                        double h) {
        Label* lb = add<Label>(QString::fromLatin1(name), caption);
        lb->Move(l, t, w, h);
        return lb;
    };
    auto box = [this](const char* name, const QString& text, double l, double t, double w) {
        TextBox* b = add<TextBox>(QString::fromLatin1(name));
        b->Move(l, t, w, 285);
        b->setText(text);
        return b;
    };
    auto button = [this](const char* name, const QString& caption, double l, double t, double w) {
        CommandButton* b = add<CommandButton>(QString::fromLatin1(name), caption);
        b->Move(l, t, w, 345);
        return b;
    };

    label("Label1", QStringLiteral("Setup:"), 120, 60, 1200, 255)->setFontBold(true);

    // Keying options, with the port and address boxes beside them.
    Frame1 = add<Frame>(QStringLiteral("Frame1"), QStringLiteral("Keying Options"));
    Frame1->Move(120, 330, 3060, 1860);
    Option4 = add<OptionButton>(QStringLiteral("Option4"), QStringLiteral("None"), Frame1);
    Option1 = add<OptionButton>(QStringLiteral("Option1"), QStringLiteral("RTS"), Frame1);
    Option2 = add<OptionButton>(QStringLiteral("Option2"), QStringLiteral("DTR"), Frame1);
    Option3 = add<OptionButton>(QStringLiteral("Option3"), QStringLiteral("Printer"), Frame1);
    Option5 = add<OptionButton>(QStringLiteral("Option5"), QStringLiteral("WinKey"), Frame1);
    double top = 270;
    for (OptionButton* o : {Option4, Option1, Option2, Option3, Option5}) {
        o->Move(120, top, 1200, 285);
        top += 300;
    }
    label("Label2", QStringLiteral("Serial"), 1560, 660, 700, 255);
    Text10 = box("Text10", QStringLiteral("0"), 2280, 630, 780);
    label("Label3", QStringLiteral("Parallel"), 1560, 1110, 700, 255);
    Text14 = box("Text14", QStringLiteral("&H378"), 2280, 1080, 780);
    cmdConfWinkey = button("cmdConfWinkey", QStringLiteral("Configure Winkey"), 1560, 1560, 1500);
    cmdConfWinkey->setVisible(false);

    // Speed, word space and the repeat interval.
    label("Label4", QStringLiteral("WPM"), 3360, 330, 720, 255);
    Text11 = box("Text11", QStringLiteral("13"), 3360, 600, 720);
    Command2 = button("Command2", QStringLiteral("Faster"), 4140, 420, 900);
    Command3 = button("Command3", QStringLiteral("Slower"), 4140, 780, 900);
    label("Label5", QStringLiteral("Word Space"), 5100, 330, 990, 255);
    txtSpace = box("txtSpace", QStringLiteral("0"), 5220, 600, 720);
    Command6 = button("Command6", QStringLiteral("More"), 6090, 420, 750);
    Command5 = button("Command5", QStringLiteral("Less"), 6090, 780, 750);
    label("Label6", QStringLiteral("Loop (Sec)"), 6900, 330, 960, 255);
    txtCWLoop = box("txtCWLoop", QStringLiteral("0"), 6900, 600, 720);

    // Timing method and the loop calibration.
    Frame2 = add<Frame>(QStringLiteral("Frame2"), QString());
    Frame2->Move(3360, 1200, 4500, 990);
    // Ends short of the first option, whose round mark it would otherwise hide.
    label("Label7", QStringLiteral("Timing Options: "), 3480, 1290, 1380, 255);
    optTimer = add<OptionButton>(QStringLiteral("optTimer"), QStringLiteral("Timer"), Frame2);
    OptSleep = add<OptionButton>(QStringLiteral("OptSleep"), QStringLiteral("Sleep"), Frame2);
    optLoop = add<OptionButton>(QStringLiteral("optLoop"), QStringLiteral("Loop"), Frame2);
    double left = 1560;
    for (OptionButton* o : {optTimer, OptSleep, optLoop}) {
        o->Move(left, 60, 900, 285);
        o->setToolTip(QStringLiteral("Timer is the preferred option on most systems. "));
        left += 960;
    }
    lblLoop = label("lblLoop", QStringLiteral("Loop Delay"), 3480, 1770, 1020, 255);
    txtLoop = box("txtLoop", QStringLiteral("0"), 4560, 1740, 1200);
    txtLoop->setToolTip(QStringLiteral("Loops per 60 ms"));
    cmdLoopFaster = button("cmdLoopFaster", QStringLiteral("F"), 5880, 1710, 420);
    cmdLoopFaster->setToolTip(QStringLiteral("Speed up CW"));
    cmdLoopSlower = button("cmdLoopSlower", QStringLiteral("S"), 6360, 1710, 420);
    cmdLoopSlower->setToolTip(QStringLiteral("Slow Down CW"));

    Command4 = button("Command4", QStringLiteral("&Test"), 8040, 420, 1380);
    Label23 = label("Label23", QStringLiteral("Sending!"), 8040, 810, 1380, 255);
    Label23->setForeColor(0x0000FF);
    Label23->setVisible(false);
    Command7 = button("Command7", QStringLiteral("Send Code Practice"), 8040, 1110, 1380);
    Command7->setHeight(600);  // its caption takes two lines
    Command1 = button("Command1", QStringLiteral("Done"), 8040, 1800, 1380);

    Check1 = add<CheckBox>(QStringLiteral("Check1"),
                           QStringLiteral("Display CW text on main form (NA for WinKey)."));
    Check1->Move(120, 2280, 5400, 285);

    const QString instructions[] = {
        QStringLiteral(
            "Build or buy a keying interface for your rig and choose the line it uses in "
            "Keying Options."),
        QStringLiteral("For RTS or DTR enter the serial port number (only a valid port or 0 is "
                       "accepted); for Printer enter the parallel port's hexadecimal address "
                       "(&H378 is LPT1 on most systems)."),
        QStringLiteral("Test sends the F9 box. No side tone is produced."),
        QStringLiteral("0 is the standard word spacing and -8 no spacing. The speed can also be "
                       "changed with the arrows."),
    };
    top = 2640;
    int n = 8;
    for (const QString& text : instructions) {
        // The serial and parallel port note takes two lines.
        const double height = text.size() > 120 ? 375 : 240;
        Label* l = label(QStringLiteral("Label%1").arg(n++).toLatin1().constData(), text, 120, top,
                         9300, height);
        l->setFontSize(7.5);
        top += height;
    }

    label("Label12", QStringLiteral("To Use:"), 120, 3780, 1200, 255)->setFontBold(true);
    label("Label13",
          QStringLiteral("Each box belongs to a function key on the main form.  A ! in the string "
                         "enters the contact."),
          1320, 3780, 8100, 255);

    // The messages: four columns of three, each box beside its key.
    struct Slot {
        const char* label;
        TextBox** box;
        const char* name;
    };
    const Slot keySlots[] = {
        {"F1", &Text1, "Text1"},    {"F2", &Text2, "Text2"},    {"F3", &Text3, "Text3"},
        {"F4", &Text4, "Text4"},    {"F5", &Text5, "Text5"},    {"F6", &Text6, "Text6"},
        {"F7", &Text7, "Text7"},    {"F8", &Text8, "Text8"},    {"F9", &Text9, "Text9"},
        {"F10", &Text12, "Text12"}, {"F11", &Text13, "Text13"},
    };
    for (int i = 0; i < 11; ++i) {
        const double l = 120 + (i / 3) * 2370, t = 4110 + (i % 3) * 390;
        label((QStringLiteral("lblKey") + QString::fromLatin1(keySlots[i].label))
                  .toLatin1()
                  .constData(),
              QString::fromLatin1(keySlots[i].label), l, t + 30, 450, 255);
        *keySlots[i].box = box(keySlots[i].name, QString(), l + 480, t, 1770);
    }
    label("lblKeyF12", QStringLiteral("F12"), 120 + 3 * 2370, 4110 + 2 * 390 + 30, 450, 255);
    Label* keyboard = label("Label14", QStringLiteral("Keyboard"), 120 + 3 * 2370 + 480,
                            4110 + 2 * 390, 1770, 285);
    keyboard->setFrameShape(QFrame::Box);

    label("Label15", QStringLiteral("Prosigns"), 120, 5370, 1000, 255)->setFontBold(true);
    label("Label16", QStringLiteral("AR  [      SK  ]      KN  ;      CL  \\      BT  ="), 1200,
          5370, 5000, 255);
    label("Label17",
          QStringLiteral("Wildcards are $ for Call, * for RST  # for Num and ^ for County (where "
                         "applicable)."),
          120, 5730, 9300, 255);
    label("Label18", QStringLiteral("You must be in CW mode."), 120, 6060, 3600, 255);
    label("Label19", QStringLiteral("Up / Down arrows on main form change speed."), 3840, 6060,
          5500, 255);

    // Design values: the keyer is off, "Timer" times the units, the echo is on.
    Option4->setValue(true);
    optTimer->setValue(true);
    Check1->setValue(1);
    setLoopControlsEnabled(false);
    tmrRepeat = add<qf::Timer>(QStringLiteral("tmrRepeat"), 0, false);
}

void CWFrm::wireHandlers() {
    for (TextBox* b :
         {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text12, Text13}) {
        b->KeyPress = [](int& k) {
            refuseQuote(k);
            UpperCaseKey(k);
        };
    }
    Text14->KeyPress = [](int& k) { refuseQuote(k); };
    auto portOrSpeedKeys = [](int& k) {
        if (k != 8 && (k < 48 || k > 58)) k = 0;
    };
    Text10->KeyPress = portOrSpeedKeys;
    Text11->KeyPress = portOrSpeedKeys;
    Text10->GotFocus = [this] { selectAll(Text10); };
    Text11->GotFocus = [this] { selectAll(Text11); };
    Text10->LostFocus = [this] { Text10_LostFocus(); };
    Text11->LostFocus = [this] { Text11_LostFocus(); };
    Text11->Change = [this] { Text11_Change(); };
    txtSpace->KeyPress = [](int& k) {
        if (k != 8 && (k < 45 || k > 58)) k = 0;
    };
    txtSpace->Change = [this] { txtSpace_Change(); };
    txtSpace->LostFocus = [this] { txtSpace_LostFocus(); };
    txtCWLoop->KeyPress = [](int& k) {
        if (k != 8 && k != '.' && (k < '0' || k > '9')) k = 0;
    };
    txtCWLoop->LostFocus = [this] { txtCWLoop_LostFocus(); };
    txtLoop->Change = [this] { txtLoop_Change(); };
    txtLoop->KeyPress = [](int& k) { refuseQuote(k); };

    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { UpDown1_UpClick(); };
    Command3->Click = [this] { UpDown1_DownClick(); };
    Command4->Click = [this] { Command4_Click(); };
    Command5->Click = [this] { Command5_Click(); };
    Command6->Click = [this] { Command6_Click(); };
    Command7->Click = [this] { Command7_Click(); };
    cmdConfWinkey->Click = [this] { cmdConfWinkey_Click(); };
    cmdLoopFaster->Click = [this] { cmdLoopFaster_Click(); };
    cmdLoopSlower->Click = [this] { cmdLoopSlower_Click(); };
    Option1->Click = [this] { Option1_Click(); };
    Option2->Click = [this] { Option2_Click(); };
    Option3->Click = [this] { Option3_Click(); };
    Option4->Click = [this] { Option4_Click(); };
    Option5->Click = [this] { Option5_Click(); };
    optTimer->Click = [this] { optTimer_Click(); };
    OptSleep->Click = [this] { OptSleep_Click(); };
    optLoop->Click = [this] { optLoop_Click(); };
    tmrRepeat->Tick = [this] { tmrRepeat_Timer(); };
}

// ---- load and unload

void CWFrm::Form_Load() {
    try {
        ScaleWindow(*this, platform().screen, platform().dialogs);
    } catch (const Error&) {
    }
    try {
        const QString stored =
            platform().registry.get(kRegistryApp, kRegistrySection,
                                    QStringLiteral("UserCWLoopOffset"), QStringLiteral("0"));
        LoopsPer60ms = NumberIn(stored).value_or(0);
        txtLoop->setText(shortestText(LoopsPer60ms));
    } catch (const Error&) {
    }
    try {
        const QString method =
            platform().registry.get(kRegistryApp, kRegistrySection,
                                    QStringLiteral("UserCWSelection"), QStringLiteral("Timer"));
        if (method == QLatin1String("Timer")) {
            optTimer->setValue(true);
        } else if (method == QLatin1String("Sleep")) {
            OptSleep->setValue(true);
        } else if (method == QLatin1String("Loop")) {
            optLoop->setValue(true);
        }
    } catch (const Error&) {
    }
}

void CWFrm::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // The window has no close box; only the logging window's unload closes it.
    if (UnloadMode == kUnloadFromControlMenu) Cancel = 1;
}

void CWFrm::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    tmrRepeat->setEnabled(false);
    Comm->setPortOpen(false);
}

// ---- speed, word space and repeat

void CWFrm::UpDown1_UpClick() {
    if (const auto n = NumberIn(Text11->Text())) Text11->setText(shortestText(*n + 1));
}

void CWFrm::UpDown1_DownClick() {
    if (const auto n = NumberIn(Text11->Text())) Text11->setText(shortestText(*n - 1));
}

void CWFrm::Text11_Change() {
    const RunState& run = app_.run();
    const auto n = NumberIn(Text11->Text());
    if (n && *n > 4 && *n < 100 && run.WinKeyVersion != 0 && run.CWKeyingInterface == 5)
        platform().winKey.wk_wpm(static_cast<quint8>(std::nearbyint(*n)));
}

void CWFrm::Text11_LostFocus() {
    if (!NumberIn(Text11->Text())) Text11->setText(QStringLiteral("0"));
}

void CWFrm::Text10_LostFocus() {
    if (!NumberIn(Text10->Text())) Text10->setText(QStringLiteral("0"));
    CWSetup();
}

void CWFrm::txtSpace_Change() {
    const auto n = NumberIn(txtSpace->Text());
    if (n && *n < -8) txtSpace->setText(QStringLiteral("-8"));
}

void CWFrm::txtSpace_LostFocus() {
    if (!NumberIn(txtSpace->Text())) txtSpace->setText(QStringLiteral("0"));
}

void CWFrm::Command6_Click() {
    const auto n = NumberIn(txtSpace->Text());
    txtSpace->setText(n ? shortestText(*n + 1) : QStringLiteral("0"));
}

void CWFrm::Command5_Click() {
    const auto n = NumberIn(txtSpace->Text());
    txtSpace->setText(n ? shortestText(*n - 1) : QStringLiteral("0"));
}

void CWFrm::txtCWLoop_LostFocus() {
    try {
        const auto n = NumberIn(txtCWLoop->Text());
        if (n && *n >= 0 && *n < 60) {
            tmrRepeat->setInterval(static_cast<int>(std::nearbyint(*n * 1000)));
            return;
        }
    } catch (const Error&) {
        platform().beeper.beep();
    }
    txtCWLoop->setText(QStringLiteral("0"));
    tmrRepeat->setInterval(0);
}

void CWFrm::tmrRepeat_Timer() {
    tmrRepeat->setEnabled(false);
    FKeyCW(112);
}

// ---- keying options

void CWFrm::Option1_Click() {
    app_.run().CWKeyingInterface = 1;
}
void CWFrm::Option2_Click() {
    app_.run().CWKeyingInterface = 2;
}
void CWFrm::Option3_Click() {
    app_.run().CWKeyingInterface = 3;
}
void CWFrm::Option4_Click() {
    app_.run().CWKeyingInterface = 0;
}

void CWFrm::Option5_Click() {
    app_.run().CWKeyingInterface = 5;
    cmdConfWinkey->setVisible(true);
    // Loaded hidden: its load reads its own settings.
    (void)app_.forms().frmWinKey();
}

void CWFrm::cmdConfWinkey_Click() {
    app_.forms().frmWinKey().ShowModal();
    if (isVisible()) Command1->SetFocus();
}

// ---- timing method and loop calibration

TimingMethod CWFrm::timingMethod() const {
    if (OptSleep->Value()) return TimingMethod::Sleep;
    if (optLoop->Value()) return TimingMethod::Loop;
    return TimingMethod::Timer;
}

void CWFrm::setLoopControlsEnabled(bool on) {
    for (Control* c :
         std::initializer_list<Control*>{txtLoop, lblLoop, cmdLoopFaster, cmdLoopSlower}) {
        c->setEnabled(on);
    }
}

void CWFrm::optTimer_Click() {
    setLoopControlsEnabled(false);
}
void CWFrm::OptSleep_Click() {
    setLoopControlsEnabled(false);
}

void CWFrm::optLoop_Click() {
    setLoopControlsEnabled(true);
    QCoreApplication::processEvents();
    if (LoopsPer60ms == 0) CalibrateLoop();
    txtLoop->setText(shortestText(LoopsPer60ms));
}

void CWFrm::CalibrateLoop() {
    try {
        LoopsPer60ms = CalibrateLoopPasses(platform().clock);
        txtLoop->setText(shortestText(LoopsPer60ms));
    } catch (const Error&) {
    }
}

void CWFrm::txtLoop_Change() {
    if (const auto n = NumberIn(txtLoop->Text())) LoopsPer60ms = *n;
}

void CWFrm::cmdLoopFaster_Click() {
    if (const auto n = NumberIn(txtLoop->Text()))
        txtLoop->setText(shortestText(std::nearbyint(*n * 0.9)));
    if (isVisible()) Command1->SetFocus();
}

void CWFrm::cmdLoopSlower_Click() {
    if (const auto n = NumberIn(txtLoop->Text())) {
        txtLoop->setText(shortestText(std::nearbyint(*n * 1.111111111111)));
    }
    if (isVisible()) Command1->SetFocus();
}

// ---- Test and code practice

void CWFrm::Command4_Click() {
    RunState& run = app_.run();
    const bool serial = run.CWKeyingInterface == 1 || run.CWKeyingInterface == 2;
    if (serial && !(NumberIn(Text10->Text()).value_or(0) > 0)) {
        // Serial keying with no port would only time the message: say so instead.
        ReportKeyingFailure(platform(),
                            QStringLiteral("Please enter a com port for CW rig interface."),
                            QStringLiteral("A com port is required."));
        if (isVisible()) Text10->SetFocus();
        return;
    }
    Label23->setVisible(true);
    QCoreApplication::processEvents();
    FKeyCW(120);
    Label23->setVisible(false);
    if (isVisible()) Text1->SetFocus();
}

void CWFrm::Command7_Click() {
    app_.forms().frmCodePractice().ShowModal();
    if (frmCodePractice* w = app_.forms().codePracticeSlot().peek()) w->Unload();
    app_.run().CWSendBuffer.clear();
}

}  // namespace qf
