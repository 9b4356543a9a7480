#include "rig/frmFrequencyTest.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/Formats.h"
#include "common/ScreenScaling.h"
#include "platform/Error.h"
#include "rig/CatCodec.h"
#include "rig/FrequencyText.h"

#include <cmath>
#include <limits>

namespace qf {

frmFrequencyTest::frmFrequencyTest(App& app)
    : Form(app.platform(), QStringLiteral("frmFrequencyTest"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral("Test Change Frequency Function"));
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    // The design size is the client area: the border and title bar come on top, or the
    // bottom row of controls would lie under the window's lower edge.
    Move(0, 0, 5535 + 2 * kBorderTwips, 3975 + 2 * kBorderTwips + kCaptionTwips);

    // Made in the tab order: the two boxes with their buttons, then the labels.
    Text1 = add<TextBox>(QStringLiteral("Text1"));
    Text1->Move(120, 1605, 3495, 285);
    Text1->setText(QStringLiteral("FA00028475000;"));
    Check1 = add<CheckBox>(QStringLiteral("Check1"), QStringLiteral("Convert to Hex"));
    Check1->Move(3720, 1560, 1095, 420);  // room for its caption's two lines
    Command1 = add<CommandButton>(QStringLiteral("Command1"), QStringLiteral("Send"));
    Command1->Move(4800, 1560, 615, 375);
    Text2 = add<TextBox>(QStringLiteral("Text2"));
    Text2->Move(1800, 3510, 855, 285);
    Command2 = add<CommandButton>(QStringLiteral("Command2"), QStringLiteral("Send"));
    Command2->Move(2880, 3480, 615, 375);

    auto help = [this](const char* name, const char* text, double top, double height) {
        Label* l = add<Label>(QLatin1String(name), QString::fromLatin1(text));
        l->Move(120, top, 5295, height);
        return l;
    };
    Label1 = help("Label1",
                  "Please use the text box below to enter a complete command to send to your "
                  "radio.  The default example is the command used for Kenwood radios.",
                  120, 615);
    Label2 = help("Label2",
                  "If your radio requires a hexidecimal format, please enter in the format of XX "
                  "XX XX (using spaces between each two digits) and click the Convert to Hex "
                  "check box below.",
                  840, 735);
    Label3 = help("Label3",
                  "Once you have a working command, please e-mail me the exact command and the "
                  "frequency (in Mhz) specified in the command.",
                  2040, 495);
    Line1 = add<Line>(QStringLiteral("Line1"), 120.0, 2640.0, 5400.0, 2640.0);
    Label4 = help("Label4",
                  "Most Elecrafts, Icoms, Kenwoods and Yaesus are now supported. For any "
                  "supported radio, you should be able to enter a frequency in Mhz, click send "
                  "and your radio should switch to the specified frequency.",
                  2760, 735);

    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
}

void frmFrequencyTest::Form_Load() {
    try {
        ScaleWindow(*this, platform().screen, platform().dialogs);
    } catch (const Error&) {
        // A scaling step that fails leaves the window as it is; the default below still comes.
    }
    Text2->setText(QStringLiteral("28.475"));
}

void frmFrequencyTest::Command1_Click() {
    const QString text = trimBlanks(Text1->Text());
    QByteArray bytes;
    if (Check1->Value() == 1) {
        // A pair that is not hexadecimal empties the whole command.
        const auto converted = rig::HexTextToBytes(text);
        if (!converted) return;
        bytes = *converted;
    } else {
        bytes = text.toLatin1();
    }
    if (bytes.isEmpty()) return;
    try {
        // Straight to the port, polling or not; nothing is read back or shown.
        app_.forms().RigControlfrm().comComm1->write(bytes);
    } catch (const Error&) {
    }
}

void frmFrequencyTest::Command2_Click() {
    const auto value = rig::ReadNumber(Text2->Text());
    if (!value) return;
    // A number the 4-byte real cannot hold ends the click as well.
    if (std::fabs(*value) > static_cast<double>(std::numeric_limits<float>::max())) return;
    float mhz = static_cast<float>(*value);
    app_.forms().RigControlfrm().ChangeFrequency(mhz);
}

}  // namespace qf
