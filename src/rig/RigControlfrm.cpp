// The rig window: its controls, the presets, the settings file, Test and End Test.
#include "rig/RigControlfrm.h"

#include "platform/PegasusFiles.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/QuotedFieldLine.h"
#include "common/ScreenScaling.h"
#include "platform/Colors.h"
#include "platform/Error.h"
#include "platform/FileSaves.h"
#include "platform/System.h"
#include "rig/RigModels.h"

#include <QClipboard>
#include <QGuiApplication>

namespace qf {

namespace {

const QString kRigSettingsFile = QStringLiteral("RigCntrl.txt");

// Cut or blank-padded to a fixed width, as the fixed-length fields keep them.
QString fixedWidth(const QString& s, int width) { return s.left(width).leftJustified(width); }

QString trimRight(const QString& s) {
    int n = static_cast<int>(s.size());
    while (n > 0 && s[n - 1] == QLatin1Char(' ')) --n;
    return s.left(n);
}

constexpr int kDeviceIO = 57;

}  // namespace

RigControlfrm::RigControlfrm(App& app)
    : Form(app.platform(), QStringLiteral("RigControlfrm"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral(" Rig Interface Setup"));
    // No close box: Done hides the window, which lives until the logging window closes.
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    // The design size is the client area: the border and title bar come on top, or the
    // bottom row of controls would lie under the window's lower edge.
    Move(0, 0, 9450 + 2 * kBorderTwips, 6675 + 2 * kBorderTwips + kCaptionTwips);
    buildControls();
    // The window and every control of it were designed in Arial Narrow 8.25; the captions are
    // sized for its narrow letters.
    setFontName(QStringLiteral("Arial Narrow"));
    for (Control* c : controls()) {
        if (c->hasFont() && c->widget()) c->setFontName(QStringLiteral("Arial Narrow"));
    }
    comComm1 = platform().serialPorts.create();
    // The command file goes into the Pegasus folder; with no such folder the write fails quietly.
    PegasusInFile = [this] { return PegasusInPath(platform().environment); };
    wireHandlers();
}

RigControlfrm::~RigControlfrm() = default;

void RigControlfrm::buildControls() {
    auto label = [this](const char* name, const QString& caption, double l, double t, double w,
                        double h = 255) {
        Label* lb = add<Label>(QString::fromLatin1(name), caption);
        lb->Move(l, t, w, h);
        return lb;
    };
    auto display = [&](const char* name, double l, double t, double w) {
        Label* lb = label(name, QString(), l, t, w, 285);
        lb->setBackColor(0x000000);
        lb->setForeColor(0x0000FF);
        lb->setFontBold(true);
        return lb;
    };
    auto button = [this](const char* name, const QString& caption, double l, double t, double w) {
        CommandButton* b = add<CommandButton>(QString::fromLatin1(name), caption);
        b->Move(l, t, w, 345);
        return b;
    };
    auto option = [this](const char* name, const char* caption, Frame* frame, double l, double t,
                         double w = 900) {
        OptionButton* o =
            add<OptionButton>(QString::fromLatin1(name), QString::fromLatin1(caption), frame);
        o->Move(l, t, w, 255);
        return o;
    };

    Label1 = label("Label1", QStringLiteral("Select Rig:"), 120, 60, 1800);
    List1 = add<ListBox>(QStringLiteral("List1"), false);
    List1->Move(120, 300, 1800, 2400);
    Label10 = label("Label10",
                    QStringLiteral("Icom radio users will have to replace the 64 in the string "
                                   "with the ID for your particular radio.  Please check your "
                                   "Icom user's manual for details."),
                    120, 2760, 1800, 1200);
    Label10->setWordWrap(true);
    Label10->setVisible(false);

    Label4 = label("Label4", QStringLiteral("String to read frequency:"), 2040, 60, 2200);
    txtFreq = add<TextBox>(QStringLiteral("txtFreq"));
    txtFreq->Move(2040, 300, 2200, 285);
    Label3 = label("Label3", QStringLiteral("String to read mode:"), 2040, 640, 2200);
    txtMode = add<TextBox>(QStringLiteral("txtMode"));
    txtMode->Move(2040, 880, 2200, 285);
    chkConvToHex = add<CheckBox>(QStringLiteral("chkConvToHex"), QStringLiteral("Convert to Hex"));
    chkConvToHex->Move(2040, 1220, 2200, 255);
    chkConvToHex->setEnabled(false);
    chkFrequency = add<CheckBox>(QStringLiteral("chkFrequency"), QStringLiteral("Use Frequency"));
    chkFrequency->Move(2040, 1500, 2200, 255);
    chkFrequency->setValue(1);

    Frame1 = add<Frame>(QStringLiteral("Frame1"), QStringLiteral("Mode by:"));
    Frame1->Move(2040, 1800, 2200, 1020);
    OptRig = option("OptRig", "Rig", Frame1, 120, 240, 1900);
    OptFreq = option("OptFreq", "Frequency", Frame1, 120, 480, 1900);
    OptDont = option("OptDont", "Don't Use", Frame1, 120, 720, 1900);
    OptRig->setValue(true);

    Label7 = label("Label7", QStringLiteral("Frequency:"), 2040, 2900, 1000);
    lblFreq = display("lblFreq", 3060, 2880, 1180);
    Label5 = label("Label5", QStringLiteral("Mode:"), 2040, 3240, 1000);
    lblMode = display("lblMode", 3060, 3220, 1180);
    Label9 = label("Label9", QStringLiteral("Should be PH or CW"), 2040, 3540, 2200);

    Command1 = button("Command1", QStringLiteral("Test"), 2040, 3840, 1050);
    Command2 = button("Command2", QStringLiteral("End Test"), 3190, 3840, 1050);
    Command2->setEnabled(false);
    Label2 = label("Label2", QStringLiteral("Polling Rig"), 2040, 4230, 2200);
    Label2->setForeColor(0xFFFFFF);
    Label2->setBackColor(0xFF0000);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setVisible(false);

    fraPort = add<Frame>(QStringLiteral("fraPort"), QStringLiteral("Comm Port:"));
    fraPort->Move(4380, 60, 1200, 2820);
    for (int i = 0; i < 10; ++i) {
        OptionButton* o = add<OptionButton>(QStringLiteral("optComm(%1)").arg(i),
                                            QString::number(i + 1), fraPort);
        o->Move(120, 240 + i * 255, 900, 255);
        optComm[static_cast<size_t>(i)] = o;
    }
    optComm[0]->setValue(true);

    fraBaud = add<Frame>(QStringLiteral("fraBaud"), QStringLiteral("Baud Rate (k):"));
    fraBaud->Move(5700, 60, 1200, 2600);
    optBaud12 = option("optBaud12", "1.2", fraBaud, 120, 240);
    optBaud24 = option("optBaud24", "2.4", fraBaud, 120, 495);
    optBaud48 = option("optBaud48", "4.8", fraBaud, 120, 750);
    optBaud96 = option("optBaud96", "9.6", fraBaud, 120, 1005);
    optBaud144 = option("optBaud144", "14.4", fraBaud, 120, 1260);
    optBaud192 = option("optBaud192", "19.2", fraBaud, 120, 1515);
    optBaud288 = option("optBaud288", "28.8", fraBaud, 120, 1770);
    optBaud384 = option("optBaud384", "38.4", fraBaud, 120, 2025);
    optBaud560 = option("optBaud560", "56", fraBaud, 120, 2280);
    optBaud560->setValue(true);

    fraParity = add<Frame>(QStringLiteral("fraParity"), QStringLiteral("Parity:"));
    fraParity->Move(7020, 60, 1100, 1020);
    optParityOdd = option("optParityOdd", "Odd", fraParity, 120, 240);
    optParityNone = option("optParityNone", "None", fraParity, 120, 480);
    optParityEven = option("optParityEven", "Even", fraParity, 120, 720);
    optParityNone->setValue(true);

    fraData = add<Frame>(QStringLiteral("fraData"), QStringLiteral("Data Bits:"));
    fraData->Move(8280, 60, 1100, 780);
    optData7 = option("optData7", "7", fraData, 120, 240, 700);
    optData8 = option("optData8", "8", fraData, 120, 480, 700);
    optData8->setValue(true);

    fraStop = add<Frame>(QStringLiteral("fraStop"), QStringLiteral("Stop Bits:"));
    fraStop->Move(8280, 900, 1100, 780);
    optStop1 = option("optStop1", "1", fraStop, 120, 240, 700);
    optStop2 = option("optStop2", "2", fraStop, 120, 480, 700);
    optStop1->setValue(true);

    fraPower = add<Frame>(QStringLiteral("fraPower"), QStringLiteral("Connection Power:"));
    fraPower->Move(7020, 1140, 1200, 1020);
    optPowerNone = option("optPowerNone", "None", fraPower, 120, 240);
    optPowerRTS = option("optPowerRTS", "RTS", fraPower, 120, 480);
    optPowerDTR = option("optPowerDTR", "DTR", fraPower, 120, 720);
    optPowerNone->setValue(true);

    fraPoll = add<Frame>(QStringLiteral("fraPoll"), QStringLiteral("Radio Polling Rate:"));
    fraPoll->Move(7020, 2220, 2300, 780);
    optPollFast = option("optPollFast", "100 ms", fraPoll, 120, 240, 1000);
    optPollMed = option("optPollMed", "500 ms", fraPoll, 1140, 240, 1000);
    optPollSlow = option("optPollSlow", "2 Sec", fraPoll, 120, 480, 1000);
    optReallySlow = option("optReallySlow", "10 Sec", fraPoll, 1140, 480, 1000);
    optPollMed->setValue(true);

    Command3 = button("Command3", QStringLiteral("Change Frequency"), 4380, 3060, 2000);
    Label6 = label("Label6", QStringLiteral("Unprocessed data returned:"), 4380, 3480, 2400);
    lblUnProcess = display("lblUnProcess", 4380, 3740, 4940);
    Command4 = button("Command4", QStringLiteral("Copy unprocessed data to clipboard"), 4380,
                      4100, 3000);
    ChkConvHex = add<CheckBox>(QStringLiteral("ChkConvHex"), QStringLiteral("Convert from Hex"));
    ChkConvHex->Move(7500, 4140, 1800, 255);
    cmdDone = button("cmdDone", QStringLiteral("&Done"), 8100, 6060, 1200);

    Label8 = label("Label8",
                   QStringLiteral("Pick your rig, its port and settings, then click Test.  The "
                                  "frequency and mode read from the rig show above."),
                   120, 4560, 9200, 400);
    Label11 = label("Label11",
                    QStringLiteral("The rig interface is experimental.  With Other you can type a "
                                   "command from your radio's manual and watch the reply."),
                    120, 5000, 9200, 400);
    Label12 = label("Label12",
                    QStringLiteral("A right click on a spot of the band map tunes the radio; the "
                                   "Change Frequency button tests this."),
                    120, 5440, 7800, 400);
    for (Label* l : {Label8, Label11, Label12}) l->setWordWrap(true);
    Line* line = add<Line>(QStringLiteral("Line1"), 120.0, 4500.0, 9300.0, 4500.0);
    (void)line;

    tmrGetData = add<qf::Timer>(QStringLiteral("tmrGetData"), 1000, false);
}

void RigControlfrm::wireHandlers() {
    List1->Click = [this] { List1_Click(); };
    // Every serial, power and polling option only ends the test.
    for (OptionButton* o : optComm) o->Click = [this] { Command2_Click(); };
    for (OptionButton* o :
         {optBaud12, optBaud24, optBaud48, optBaud96, optBaud144, optBaud192, optBaud288,
          optBaud384, optBaud560, optParityOdd, optParityNone, optParityEven, optData7, optData8,
          optStop1, optStop2, optPowerNone, optPowerRTS, optPowerDTR, optPollFast, optPollMed,
          optPollSlow, optReallySlow})
        o->Click = [this] { Command2_Click(); };
    for (OptionButton* o : {OptRig, OptFreq, OptDont}) o->Click = [this] { modeBy_Click(); };
    txtFreq->Change = [this] { txtFreq_Change(); };
    txtMode->Change = [this] { txtMode_Change(); };
    txtFreq->GotFocus = [this] { txtFreq_GotFocus(); };
    txtMode->GotFocus = [this] { txtMode_GotFocus(); };
    chkConvToHex->Click = [this] { chkConvToHex_Click(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command3->Click = [this] { Command3_Click(); };
    Command4->Click = [this] { Command4_Click(); };
    cmdDone->Click = [this] { cmdDone_Click(); };
    tmrGetData->Tick = [this] { tmrGetData_Timer(); };
}

// ---- load and unload

void RigControlfrm::Form_Load() {
    try {
        ScaleWindow(*this, platform().screen, platform().dialogs);
    } catch (const Error&) {
        // The work-area scaling skips its own failing steps; nothing else may stop the load.
    }
    for (const rig::RigModelRow& r : rig::RigModels()) List1->AddItem(r.name);
    RigLoading = 1;
    try {
        LoadRigSettings();
    } catch (const Error&) {
        // A short or damaged file stops the restore where it failed; what came first stays.
    }
    LoadBandPlanSegments();
    RigLoading = 0;
    ActiveVFO = 10;
}

void RigControlfrm::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // No close box: only the logging window's unload closes the rig window.
    if (UnloadMode == kUnloadFromControlMenu) Cancel = 1;
}

void RigControlfrm::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    // A rig that needs it is told to stop talking before its port closes.
    if (tmrGetData->Enabled()) {
        if (const auto row = rig::FindRigModel(app_.station().RigModel);
            row && !row->closing.isEmpty()) {
            try {
                comComm1->write(row->closing);
            } catch (const Error&) {
            }
        }
    }
    tmrGetData->setEnabled(false);
    comComm1->setPortOpen(false);
}

// ---- the model list and its presets

void RigControlfrm::List1_Click() {
    if (RigLoading == 1) return;
    Command2_Click();
    const QString name = List1->Text();
    app_.station().RigModel = name;
    // Readings of the model chosen before must not reach the logging window as this one's.
    ReportedFrequency = 0;
    ReportedMode.clear();
    txtFreq->setText(QString());
    txtMode->setText(QString());
    chkConvToHex->setValue(0);
    chkConvToHex->setEnabled(false);
    Label10->setVisible(false);
    const auto row = rig::FindRigModel(name);
    if (!row) return;
    const std::pair<const char*, OptionButton*> bauds[] = {
        {"1200", optBaud12},   {"2400", optBaud24},   {"4800", optBaud48},
        {"9600", optBaud96},   {"14400", optBaud144}, {"19200", optBaud192},
        {"28800", optBaud288}, {"38400", optBaud384}, {"56000", optBaud560}};
    for (const auto& [rate, o] : bauds)
        if (row->baud == QLatin1String(rate)) o->setValue(true);
    if (row->dataBits == QLatin1String("7")) optData7->setValue(true);
    if (row->dataBits == QLatin1String("8")) optData8->setValue(true);
    if (row->stopBits == QLatin1String("1")) optStop1->setValue(true);
    if (row->stopBits == QLatin1String("2")) optStop2->setValue(true);
    if (row->parity == QLatin1String("N")) optParityNone->setValue(true);
    if (row->parity == QLatin1String("O")) optParityOdd->setValue(true);
    if (row->parity == QLatin1String("E")) optParityEven->setValue(true);
    txtFreq->setText(row->frequencyQuery);
    txtMode->setText(row->modeQuery);
    Label10->setVisible(row->showIcomHint);
    if (row->convertToHex) chkConvToHex->setValue(1);
    if (row->convertToHexEnabled) chkConvToHex->setEnabled(true);
}

void RigControlfrm::chkConvToHex_Click() { ChkConvHex->setValue(chkConvToHex->Value()); }

void RigControlfrm::modeBy_Click() {
    lblMode->setCaption(QStringLiteral("No Response"));
    ReportedMode.clear();
}

// ---- the settings file

void RigControlfrm::LoadRigSettings() {
    Files& files = platform().files;
    const QString path = files.resolve(kRigSettingsFile);
    if (!files.fileExists(path)) return;
    RecordReader r(files.readAll(path));
    // Each value goes straight into its field: a short file keeps what came before.
    RigBaud = fixedWidth(r.readText(), 5);
    RigParity = fixedWidth(r.readText(), 1);
    RigDataBits = fixedWidth(r.readText(), 1);
    RigStopBits = fixedWidth(r.readText(), 1);
    RigModeQuery = r.readText();
    RigFrequencyQuery = r.readText();
    RigCommSettings = r.readText();
    RigPort = r.readByte();
    RigPower = fixedWidth(r.readText(), 1);
    RigPollRate = fixedWidth(r.readText(), 1);
    app_.station().RigModel = r.readText();
    const int toHex = r.readInt16();
    const int useFrequency = r.readInt16();
    const int modeSource = r.readInt16();

    // The controls follow; a value a control cannot take stops here.
    auto checkValue = [](int v) {
        if (v < 0 || v > 2) throw Error(err::kInvalidProperty, QStringLiteral("Invalid property value"));
        return v == 0 ? 0 : 1;  // a greyed box (2) shows as ticked
    };
    chkConvToHex->setValue(checkValue(toHex));
    chkFrequency->setValue(checkValue(useFrequency));
    if (modeSource == 1) OptRig->setValue(true);
    if (modeSource == 2) OptFreq->setValue(true);
    if (modeSource == 3) OptDont->setValue(true);
    txtFreq->setText(RigFrequencyQuery);
    txtMode->setText(RigModeQuery);
    const QString model = app_.station().RigModel;
    const int row = List1->find(model);
    List1->setListIndex(row >= 0 && List1->List(row) == model ? row : -1);
    if (const auto m = rig::FindRigModel(model)) {
        if (m->convertToHexEnabled) chkConvToHex->setEnabled(true);
        // Only the first Icom row shows the hint after a load.
        if (m->showIcomHint && m->name == rig::RigModels()[2].name) Label10->setVisible(true);
    }
    if (RigPort < 1 || RigPort > 10)
        throw Error(err::kSubscript, QStringLiteral("Control array element does not exist"));
    optComm[static_cast<size_t>(RigPort - 1)]->setValue(true);

    auto setGroup = [](const QString& value, std::initializer_list<std::pair<const char*, OptionButton*>> g) {
        for (const auto& [text, o] : g) o->setValue(value == QLatin1String(text));
    };
    setGroup(trimRight(RigBaud), {{"1200", optBaud12}, {"2400", optBaud24}, {"4800", optBaud48},
                                  {"9600", optBaud96}, {"14400", optBaud144}, {"19200", optBaud192},
                                  {"28800", optBaud288}, {"38400", optBaud384}, {"56000", optBaud560}});
    setGroup(RigParity, {{"O", optParityOdd}, {"N", optParityNone}, {"E", optParityEven}});
    setGroup(RigDataBits, {{"7", optData7}, {"8", optData8}});
    setGroup(RigStopBits, {{"1", optStop1}, {"2", optStop2}});
    setGroup(RigPower, {{"N", optPowerNone}, {"R", optPowerRTS}, {"D", optPowerDTR}});
    setGroup(RigPollRate, {{"F", optPollFast}, {"M", optPollMed}, {"S", optPollSlow},
                           {"R", optReallySlow}});
}

void RigControlfrm::SaveRigSettings() {
    const int modeSource = OptFreq->Value() ? 2 : OptDont->Value() ? 3 : 1;
    RecordWriter w;
    w.text(RigBaud).endRecord();
    w.text(RigParity).endRecord();
    w.text(RigDataBits).endRecord();
    w.text(RigStopBits).endRecord();
    w.text(RigModeQuery).endRecord();
    w.text(RigFrequencyQuery).endRecord();
    w.text(RigCommSettings).endRecord();
    w.integer(RigPort).endRecord();
    w.text(RigPower).endRecord();
    w.text(RigPollRate).endRecord();
    w.text(app_.station().RigModel).endRecord();
    w.integer(chkConvToHex->Value()).endRecord();
    w.integer(chkFrequency->Value()).endRecord();
    w.integer(modeSource).endRecord();
    // The file as it was stays when this fails, and the operator is told.
    SaveSettingsFile(platform(), kRigSettingsFile, w.data());
}

// ---- buttons

void RigControlfrm::Command2_Click() {
    lblMode->setCaption(QString());
    lblFreq->setCaption(QString());
    lblUnProcess->setCaption(QString());
    refusedQueries_.clear();
    forgetReply();
    tmrGetData->setEnabled(false);
    Label2->setVisible(false);
    Command2->setEnabled(false);
    if (comComm1->PortOpen()) comComm1->setPortOpen(false);
}

void RigControlfrm::Command3_Click() {
    if (tmrGetData->Enabled()) {
        FormSlot<frmFrequencyTest>& slot = app_.forms().frequencyTestSlot();
        slot.get().ShowModal();
        if (frmFrequencyTest* w = slot.peek()) w->Unload();
        return;
    }
    const QString text = QStringLiteral(
        "You must be polling your rig to test this function.  Please select your rig type and "
        "click the Test command button.");
    platform().dialogs.ok(text,
                          QStringLiteral("You must be polling your rig to test this function."),
                          Icon::Information);
}

void RigControlfrm::Command4_Click() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(lblUnProcess->Caption());
    cmdDone->SetFocus();
}

void RigControlfrm::cmdDone_Click() {
    if (!rig::IsNoRig(app_.station().RigModel)) Command1_Click();
    app_.forms().Form1().SavePref();
    SaveRigSettings();
    Hide();
}

// ---- Test: the serial link and the start of polling

void RigControlfrm::Command1_Click() { test(app_.station().RigModel); }

void RigControlfrm::TestFromStartup(const QString& modelBeforeLoad) { test(modelBeforeLoad); }

void RigControlfrm::test(const QString& firstStepModel) {
    // A read string still refused is told again in this run; a part of a reply from before is
    // no start for this run's.
    refusedQueries_.clear();
    forgetReply();
    try {
        if (!rig::IsNoRig(firstStepModel)) {
            lblMode->setCaption(QStringLiteral("No Response"));
            lblFreq->setCaption(QStringLiteral("No Response"));
            Command2->setEnabled(true);
            Label2->setVisible(true);
            ReportedMode.clear();
        }
        collectOptions();
        const QString model = app_.station().RigModel;
        if (rig::IsNoRig(model)) return;
        const auto row = rig::FindRigModel(model);
        const bool exchangeFiles = row && row->port == rig::PortUse::ExchangeFiles;
        if (!exchangeFiles) OpenRigPort();
        if (comComm1->PortOpen() || exchangeFiles) {
            tmrGetData_Timer();
            StartPolling();
        } else {
            Command2->setEnabled(false);
            Label2->setVisible(false);
        }
    } catch (const Error&) {
        // Any other failure ends Test at its step without a message.
    }
}

void RigControlfrm::collectOptions() {
    for (int i = 0; i < 10; ++i)
        if (optComm[static_cast<size_t>(i)]->Value()) {
            RigPort = i + 1;
            break;
        }
    const std::pair<const char*, OptionButton*> bauds[] = {
        {"1200", optBaud12},   {"2400", optBaud24},   {"4800", optBaud48},
        {"9600", optBaud96},   {"14400", optBaud144}, {"19200", optBaud192},
        {"28800", optBaud288}, {"38400", optBaud384}, {"56000", optBaud560}};
    for (const auto& [rate, o] : bauds)
        if (o->Value()) RigBaud = fixedWidth(QLatin1String(rate), 5);
    auto pick = [](QString& field,
                   std::initializer_list<std::pair<const char*, OptionButton*>> group) {
        for (const auto& [text, o] : group)
            if (o->Value()) field = QLatin1String(text);
    };
    pick(RigParity, {{"O", optParityOdd}, {"N", optParityNone}, {"E", optParityEven}});
    pick(RigDataBits, {{"7", optData7}, {"8", optData8}});
    pick(RigStopBits, {{"1", optStop1}, {"2", optStop2}});
    RigCommSettings = trimRight(RigBaud) + QLatin1Char(',') + RigParity + QLatin1Char(',') +
                      RigDataBits + QLatin1Char(',') + RigStopBits;
    pick(RigPower, {{"N", optPowerNone}, {"R", optPowerRTS}, {"D", optPowerDTR}});
    pick(RigPollRate,
         {{"F", optPollFast}, {"M", optPollMed}, {"S", optPollSlow}, {"R", optReallySlow}});
}

void RigControlfrm::OpenRigPort() {
    const auto row = rig::FindRigModel(app_.station().RigModel);
    try {
        if (comComm1->PortOpen()) comComm1->setPortOpen(false);
        comComm1->setCommPort(RigPort);
        // Kept for the rest of the run: later models that set nothing open with it too.
        if (row && row->rtsHandshaking) comComm1->setHandshaking(SerialPort::Handshake::RtsCts);
        comComm1->setSettings(RigCommSettings);
        comComm1->setDTREnable(false);
        comComm1->setRTSEnable(false);
        comComm1->setPortOpen(true);
        // The powering line. A device without modem lines (a pseudo-terminal) still serves;
        // the port keeps the wanted state.
        try {
            if (RigPower == QLatin1String("R")) comComm1->setRTSEnable(true);
            if (RigPower == QLatin1String("D")) comComm1->setDTREnable(true);
        } catch (const Error& e) {
            if (e.number() != kDeviceIO) throw;
        }
        if (row && !row->wakeUp.isEmpty()) comComm1->write(row->wakeUp);
    } catch (const Error&) {
        reportOpenFailure();
    }
}

void RigControlfrm::reportOpenFailure() {
    platform().beeper.beep();
    platform().dialogs.ok(
        QStringLiteral("The comm port that you selected for rig interface is either in use, "
                       "invalid or the settings that you have selected are invalid.  Please "
                       "select another combination or choose None for your rig selection."),
        QStringLiteral("Invalid Comm Settings."), Icon::Information);
    if (isHidden()) ShowModal();
}

void RigControlfrm::StartPolling() {
    if (RigPollRate == QLatin1String("F")) tmrGetData->setInterval(50);
    if (RigPollRate == QLatin1String("M")) tmrGetData->setInterval(250);
    if (RigPollRate == QLatin1String("S")) tmrGetData->setInterval(1000);
    if (RigPollRate == QLatin1String("R")) tmrGetData->setInterval(5000);
    tmrGetData->setEnabled(true);
}

}  // namespace qf
