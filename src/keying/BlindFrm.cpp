#include "keying/BlindFrm.h"

#include "app/App.h"
#include "common/ScreenScaling.h"
#include "keying/KeyerCommon.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "startup/StationSettings.h"

namespace qf {

BlindFrm::BlindFrm(App& app)
    : Form(app.platform(), QStringLiteral("BlindFrm"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral("Voice Navigation Settings"));
    Move(0, 0, 9375 + 2 * kBorderTwips, 5295 + kCaptionTwips + 2 * kBorderTwips);
    buildControls();
    MMControl1 = platform().wavePlayers.create();
}

void BlindFrm::buildControls() {
    auto label = [this](const char* name, const QString& caption, double l, double t, double w,
                        double h) {
        Label* lb = add<Label>(QString::fromLatin1(name), caption);
        lb->Move(l, t, w, h);
        return lb;
    };
    Label3 = label("Label3", QStringLiteral("Background:"), 120, 120, 3000, 255);
    Label3->setFontBold(true);
    Label4 = label("Label4",
                   QStringLiteral("For operators who cannot see the screen: once the prompt "
                                  "wave files are in place and an option below is chosen, a "
                                  "recorded voice names each entry box of the logging window as "
                                  "the cursor reaches it, and says \"dupe\" when a contact is "
                                  "refused as a duplicate."),
                   120, 420, 9135, 660);
    Label6 = label("Label6",
                   QStringLiteral("Additional suggestions and ideas for supporting visually "
                                  "impaired hams are welcome and appreciated."),
                   120, 1140, 9135, 255);
    Line1 = add<Line>(QStringLiteral("Line1"), 120, 1500, 9255, 1500);
    Label8 = label("Label8", QStringLiteral("To Enable Voice Navigation:"), 120, 1620, 4000, 255);
    Label8->setFontBold(true);
    Label20 = label("Label20",
                    QStringLiteral("The navigation audio wave files must be added to the working "
                                   "directory of this program. They come with the program: its "
                                   "run command copies them into the working directory the "
                                   "first time, and they can be made again from the program's "
                                   "data folder."),
                    120, 1920, 9135, 660);
    Label7 = label("Label7", QString(), 120, 2640, 9135, 420);
    Label5 = label("Label5",
                   QStringLiteral("Choose one of the options below.  Select Off to turn the "
                                  "navigation function off, Call to indicate the Call field only "
                                  "and All Data Fields to provide verbal prompts through all the "
                                  "data fields."),
                   120, 3120, 9135, 660);
    Frame1 = add<Frame>(QStringLiteral("Frame1"), QStringLiteral("Choose your preferred option:"));
    Frame1->Move(120, 3900, 6600, 735);
    Option1 = add<OptionButton>(QStringLiteral("Option1"), QStringLiteral("Off"), Frame1);
    Option2 = add<OptionButton>(QStringLiteral("Option2"), QStringLiteral("Call Only"), Frame1);
    Option3 =
        add<OptionButton>(QStringLiteral("Option3"), QStringLiteral("All Data Fields"), Frame1);
    double left = 240;
    for (OptionButton* o : {Option1, Option2, Option3}) {
        o->Move(left, 330, 2000, 285);
        left += 2100;
    }
    Command1 = add<CommandButton>(QStringLiteral("Command1"), QStringLiteral("Done"));
    Command1->Move(7200, 4140, 1800, 435);

    Command1->Click = [this] { Command1_Click(); };
    Option1->Click = [this] { Option1_Click(); };
    Option2->Click = [this] { Option2_Click(); };
    Option3->Click = [this] { Option3_Click(); };
}

void BlindFrm::BlindKeyPhone(const QString& q) {
    try {
        WavePlayer& p = *MMControl1;
        ResetWavePlayer(p);
        // Found as every bare name of the working folder is: ignoring case.
        p.FileName = platform().files.resolve(app_.startup().WorkingFolder + QLatin1Char('/') + q +
                                              QStringLiteral(".wav"));
        if (!p.FileName.trimmed().isEmpty()) {
            p.setCommand(QStringLiteral("Open"));
            p.setCommand(QStringLiteral("play"));
        }
    } catch (const Error&) {
    }
}

void BlindFrm::WaitForPrompt() {
    WaitWhilePlaying(*MMControl1, platform().clock);
}

void BlindFrm::Option1_Click() {
    BlindKeyPhone(QStringLiteral("NavDis"));
}

void BlindFrm::Option2_Click() {
    BlindKeyPhone(QStringLiteral("NavEn"));
    WaitForPrompt();
    BlindKeyPhone(QStringLiteral("Call"));
}

void BlindFrm::Option3_Click() {
    BlindKeyPhone(QStringLiteral("NavEn"));
}

void BlindFrm::Command1_Click() {
    StationSettings& s = app_.station();
    s.VoiceNavigationLevel = Option3->Value() ? 2 : Option2->Value() ? 1 : 0;
    Hide();
    try {
        WriteQSOPref(s, platform().files);
    } catch (const Error&) {
    }
}

void BlindFrm::Form_Load() {
    ScaleWindow(*this, platform().screen, platform().dialogs);
    Label7->setCaption(QStringLiteral("Put the audio wave files in this program's working "
                                      "directory: ") +
                       app_.startup().WorkingFolder);
    // Selecting the stored level plays its prompts, as the operator's click does.
    OptionButton* const options[] = {Option1, Option2, Option3};
    const int level = app_.station().VoiceNavigationLevel;
    if (level <= 2) options[level]->setValue(true);
}

void BlindFrm::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    try {
        MMControl1->setCommand(QStringLiteral("Close"));
    } catch (const Error&) {
    }
}

}  // namespace qf
