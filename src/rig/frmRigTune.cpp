#include "rig/frmRigTune.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/ScreenScaling.h"
#include "platform/Error.h"
#include "rig/FrequencyText.h"
#include "rig/RigModels.h"

#include <cmath>
#include <limits>

namespace qf {

namespace {

struct Preset {
    const char* caption;
    const char* mhz;
};
constexpr std::array<Preset, 16> kPresets{{{"160", "1.9"},
                                           {"80", "3.75"},
                                           {"60", "5.368"},
                                           {"40", "7.15"},
                                           {"30", "10.13"},
                                           {"20", "14.175"},
                                           {"17", "18.118"},
                                           {"15", "21.225"},
                                           {"12", "24.94"},
                                           {"10", "28.5"},
                                           {"6", "52"},
                                           {"2", "146"},
                                           {"1.25", "223.5"},
                                           {"70", "435"},
                                           {"33", "915"},
                                           {"23", "1270"}}};

struct Step {
    const char* caption;
    double mhz;   // the up button's change; the down button takes it off
    double left;  // the column, twips
};
// Indexes 2k (up) and 2k + 1 (down).
constexpr std::array<Step, 5> kSteps{{{"10 Hz", 0.00001, 4080},
                                      {"1 MHz", 1, 720},
                                      {"5 KHz", 0.005, 1560},
                                      {"1 KHz", 0.001, 2400},
                                      {"100 Hz", 0.0001, 3240}}};

// The frequency, From and To boxes take Backspace, "." "/" and the digits only.
void frequencyKey(int& KeyAscii) {
    if (KeyAscii == 8 || (KeyAscii >= 46 && KeyAscii <= 57)) return;
    KeyAscii = 0;
}

}  // namespace

frmRigTune::frmRigTune(App& app)
    : Form(app.platform(), QStringLiteral("frmRigTune"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral(" Change Frequency and Mode (Ctrl G (Go))"));
    // A tool window: no minimise or maximise, no taskbar entry.
    setWindowFlag(Qt::Tool, true);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    // The design size is the client area: the border and title bar come on top, or the
    // bottom row of controls would lie under the window's lower edge.
    Move(0, 0, 4905 + 2 * kBorderTwips, 5010 + 2 * kBorderTwips + kCaptionTwips);
    KeyPreview = true;

    // The frequency box is made first: it is first in the tab order.
    txtFreq = add<TextBox>(QStringLiteral("txtFreq"));
    txtFreq->Move(2040, 1800, 1215, 285);
    txtFreq->setAlignment(Qt::AlignCenter);

    for (size_t k = 0; k < kPresets.size(); ++k) {
        CommandButton* b = add<CommandButton>(QStringLiteral("cmdBand(%1)").arg(k),
                                              QLatin1String(kPresets[k].caption));
        b->Move(120 + 600.0 * static_cast<double>(k % 8), k < 8 ? 120 : 600, 495, 375);
        cmdBand[k] = b;
    }
    Line1 = add<Line>(QStringLiteral("Line1"), 120.0, 1080.0, 4785.0, 1080.0);

    auto modeButton = [this](const char* name, const char* caption, double left) {
        CommandButton* b = add<CommandButton>(QLatin1String(name), QLatin1String(caption));
        b->Move(left, 1200, 615, 375);
        return b;
    };
    cmdCW = modeButton("cmdCW", "&CW", 360);
    cmdUSB = modeButton("cmdUSB", "&USB", 1080);
    cmdLSB = modeButton("cmdLSB", "&LSB", 1800);
    cmdAM = modeButton("cmdAM", "&AM", 2520);
    cmdFM = modeButton("cmdFM", "&FM", 3240);
    cmdRTTY = modeButton("cmdRTTY", "&RTTY", 3960);
    Line2 = add<Line>(QStringLiteral("Line2"), 120.0, 1680.0, 4785.0, 1680.0);

    Label1 = add<Label>(QStringLiteral("Label1"), QStringLiteral("Frequency in MHz:"));
    Label1->Move(360, 1830, 1575, 255);
    Command1 = add<CommandButton>(QStringLiteral("Command1"), QStringLiteral("&Go"));
    Command1->Move(3480, 1740, 615, 375);
    Line3 = add<Line>(QStringLiteral("Line3"), 120.0, 2160.0, 4785.0, 2160.0);

    auto rowLabel = [this](const char* name, const char* caption, double top) {
        Label* l = add<Label>(QLatin1String(name), QLatin1String(caption));
        l->Move(60, top, 615, 255);
        l->setFontBold(true);
        l->setFontSize(9.75);
        return l;
    };
    Label2 = rowLabel("Label2", " UP", 2460);
    Label3 = rowLabel("Label3", " Down", 2940);
    for (size_t i = 0; i < cmdTune.size(); ++i) {
        const Step& s = kSteps[i / 2];
        CommandButton* b =
            add<CommandButton>(QStringLiteral("cmdTune(%1)").arg(i), QLatin1String(s.caption));
        b->Move(s.left, i % 2 == 0 ? 2400 : 2880, 735, 375);
        b->setEnabled(false);
        cmdTune[i] = b;
    }
    Line4 = add<Line>(QStringLiteral("Line4"), 120.0, 3360.0, 4785.0, 3360.0);

    chkScan = add<CheckBox>(QStringLiteral("chkScan"), QStringLiteral("Scan"));
    chkScan->Move(240, 3600, 855, 255);
    Label4 = add<Label>(QStringLiteral("Label4"), QStringLiteral("From:"));
    Label4->Move(1200, 3630, 495, 255);
    txtFrom = add<TextBox>(QStringLiteral("txtFrom"));
    txtFrom->Move(1680, 3600, 855, 285);
    txtFrom->setText(QStringLiteral("1.8"));
    Label5 = add<Label>(QStringLiteral("Label5"), QStringLiteral("To:"));
    Label5->Move(2760, 3630, 375, 255);
    txtTo = add<TextBox>(QStringLiteral("txtTo"));
    txtTo->Move(3120, 3600, 855, 285);
    txtTo->setText(QStringLiteral("54"));

    Frame1 = add<Frame>(QStringLiteral("Frame1"), QStringLiteral("Scan Steps"));
    Frame1->Move(120, 3960, 4665, 495);
    auto scanStep = [this](const char* name, const char* caption, double left) {
        OptionButton* o = add<OptionButton>(QLatin1String(name), QLatin1String(caption), Frame1);
        o->Move(left, 200, 900, 255);
        return o;
    };
    Option5 = scanStep("Option5", "2.5 KHz", 120);
    Option1 = scanStep("Option1", "500 Hz", 1020);
    Option2 = scanStep("Option2", "100 Hz", 1920);
    Option3 = scanStep("Option3", "30 Hz", 2820);
    Option4 = scanStep("Option4", "10 Hz", 3720);
    Option4->setValue(true);

    cmdDone = add<CommandButton>(QStringLiteral("cmdDone"), QStringLiteral("&Done"));
    cmdDone->Move(2040, 4560, 855, 375);

    Timer1 = add<qf::Timer>(QStringLiteral("Timer1"), 299, true);

    // The rig window is reached at each call, loading it at its first reference.
    ChangeFrequencyCall = [this](float mhz) { app_.forms().RigControlfrm().ChangeFrequency(mhz); };
    ChangeModeCall = [this](const QString& mode) {
        float none = 0;
        QString m = mode;
        app_.forms().RigControlfrm().ChangeMode(none, m);
    };

    Command1->Click = [this] { Command1_Click(); };
    for (int i = 0; i < static_cast<int>(cmdBand.size()); ++i)
        cmdBand[static_cast<size_t>(i)]->Click = [this, i] { cmdBand_Click(i); };
    for (int i = 0; i < static_cast<int>(cmdTune.size()); ++i)
        cmdTune[static_cast<size_t>(i)]->Click = [this, i] { cmdTune_Click(i); };
    const std::pair<CommandButton*, const char*> modes[] = {{cmdCW, "CW"},   {cmdUSB, "USB"},
                                                            {cmdLSB, "LSB"}, {cmdAM, "AM"},
                                                            {cmdFM, "FM"},   {cmdRTTY, "RTTY"}};
    for (const auto& [b, mode] : modes) {
        const QString m = QLatin1String(mode);
        b->Click = [this, m] { modeButton_Click(m); };
    }
    txtFreq->Change = [this] { txtFreq_Change(); };
    txtFreq->KeyPress = [this](int& k) { txtFreq_KeyPress(k); };
    txtFrom->KeyPress = [](int& k) { frequencyKey(k); };
    txtTo->KeyPress = [](int& k) { frequencyKey(k); };
    chkScan->Click = [this] { chkScan_Click(); };
    Timer1->Tick = [this] { Timer1_Timer(); };
    cmdDone->Click = [this] { cmdDone_Click(); };
}

void frmRigTune::Form_Load() {
    // The window's own font follows the facade window's before the controls scale.
    ScaleWindow(*this, platform().screen, platform().dialogs, app_.forms().Form1().FontSize());
}

void frmRigTune::Form_KeyDown(int& KeyCode, int Shift) {
    Q_UNUSED(KeyCode);
    Q_UNUSED(Shift);
    // Any key stops the scan.
    if (chkScan->Value() == 1) chkScan->setValue(0);
}

void frmRigTune::Command1_Click() {
    const auto value = rig::ReadNumber(txtFreq->Text());
    if (!value) return;
    // A value the 4-byte real cannot hold, or none above 0, is no frequency: nothing is sent.
    if (!rig::IsFrequency(*value)) return;
    const float mhz = static_cast<float>(*value);
    if (rig::IsNoRig(app_.station().RigModel)) return;
    ChangeFrequencyCall(mhz);
}

void frmRigTune::cmdBand_Click(int Index) {
    txtFreq->setText(QLatin1String(kPresets[static_cast<size_t>(Index)].mhz));
    Command1_Click();
}

void frmRigTune::cmdTune_Click(int Index) {
    const auto value = rig::ReadNumber(txtFreq->Text());
    if (!value) return;
    const double change = kSteps[static_cast<size_t>(Index / 2)].mhz;
    txtFreq->setText(rig::StepText(Index % 2 == 0 ? *value + change : *value - change));
    Command1_Click();
    cmdDone->SetFocus();
}

void frmRigTune::modeButton_Click(const QString& mode) {
    ChangeModeCall(mode);
    cmdDone->SetFocus();
}

void frmRigTune::txtFreq_Change() {
    const bool number = rig::ReadNumber(txtFreq->Text()).has_value();
    for (CommandButton* b : cmdTune) b->setEnabled(number);
}

void frmRigTune::txtFreq_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
        txtFreq->SetFocus();
        txtFreq->setSelStart(static_cast<int>(txtFreq->Text().size()));
        return;
    }
    frequencyKey(KeyAscii);
}

void frmRigTune::chkScan_Click() {
    if (chkScan->Value() == 1 && !rig::ReadNumber(txtFreq->Text()))
        txtFreq->setText(txtFrom->Text());
    Command1->SetFocus();
}

void frmRigTune::Timer1_Timer() {
    if (chkScan->Value() != 1) return;
    const auto from = rig::ReadNumber(txtFrom->Text());
    const auto to = rig::ReadNumber(txtTo->Text());
    const auto now = rig::ReadNumber(txtFreq->Text());
    if (!from || !to || !now) return;
    // Values the 4-byte real cannot hold stop the scan where it is rather than wrapping.
    const double limit = static_cast<double>(std::numeric_limits<float>::max());
    for (double v : {*from, *to, *now})
        if (std::fabs(v) > limit) return;
    float f = static_cast<float>(*now);
    const float low = static_cast<float>(*from);
    const float high = static_cast<float>(*to);
    double step = 0.00001;
    if (Option5->Value()) step = 0.0025;
    if (Option1->Value()) step = 0.0005;
    if (Option2->Value()) step = 0.0001;
    if (Option3->Value()) step = 0.00003;
    f = static_cast<float>(static_cast<double>(f) + step);
    if (f > high) f = low;
    txtFreq->setText(rig::ScanText(f));
    Command1_Click();
}

void frmRigTune::cmdDone_Click() {
    Hide();
}

}  // namespace qf
