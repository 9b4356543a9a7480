#include "logtools/frmCountyChange.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/ScreenScaling.h"
#include "logging/ContactRules.h"
#include "logging/TextBoxState.h"
#include "logging/TypeAhead.h"
#include "logtools/EditContactDialog.h"
#include "platform/Colors.h"
#include "platform/Error.h"

namespace qf {

bool CheckCountyBox(App& app, const TextBox& box, Label& mark) {
    auto& flags = app.run().EntryCheckFlags;
    mark.setVisible(false);
    flags.BadCountyFlag = 1;
    if (IsKnownCounty(app.tables().counties, box.Text())) flags.BadCountyFlag = 0;
    if (flags.BadCountyFlag == 0) return true;
    app.platform().beeper.beep();
    mark.setVisible(true);
    return false;
}

Label* addInvalidMark(Form& form, double left, double top) {
    Label* m = form.add<Label>(QStringLiteral("Label2"), QStringLiteral("   Invalid!"));
    m->Move(left, top, 900, 255);
    m->setBackColor(kDarkRed);
    m->setForeColor(kWhite);
    m->setFontName(QStringLiteral("Arial"));
    m->setFontSize(8.25);
    m->setVisible(false);
    return m;
}

void CountyBoxKeyPress(App& app, TextBox& box, int& KeyAscii,
                       CountyTypeAheadRule::KeyCase keyCase) {
    // A quote would be dropped from every record the county is logged with, so the own county
    // in memory would no longer match what is on disk.
    if (KeyAscii == '"') {
        KeyAscii = 0;
        return;
    }
    CountyTypeAheadRule rule;
    rule.from = CountyTypeAheadRule::SearchFrom::LastRow;
    rule.keyCase = keyCase;
    rule.spaceEmptiesAtStart = true;
    BoxState state = boxStateOf(box);
    CountyTypeAhead(app.tables().counties, state, KeyAscii, rule);
    setBoxStateOf(box, state);
}

frmCountyChange::frmCountyChange(App& app)
    : Form(app.platform(), QStringLiteral("frmCountyChange"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral("County Change"));
    // Done is the only way out: no minimise, maximise or close box.
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowFlag(Qt::WindowSystemMenuHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    Move(0, 0, 3210, 2040);

    Text1 = add<TextBox>(QStringLiteral("Text1"));
    Text1->Move(120, 420, 1215, 315);
    Command1 = add<CommandButton>(QStringLiteral("Command1"), QStringLiteral("Done"));
    Command1->Move(1920, 390, 1035, 375);
    Label2 = addInvalidMark(*this, 1395, 450);
    Label1 =
        add<Label>(QStringLiteral("Label1"), QStringLiteral("Please enter your current county:"));
    Label1->Move(120, 120, 2880, 255);
    cmdMultipleCounties = add<CommandButton>(
        QStringLiteral("cmdMultipleCounties"),
        QStringLiteral("&Rovers on County Lines Click to Add Multiple Counties"));
    cmdMultipleCounties->Move(120, 900, 2835, 615);
    cmdMultipleCounties->setFocusPolicy(Qt::ClickFocus);  // not a tab stop

    Text1->GotFocus = [this] { Text1_GotFocus(); };
    Text1->KeyPress = [this](int& k) { Text1_KeyPress(k); };
    Text1->LostFocus = [this] { Text1_LostFocus(); };
    Command1->Click = [this] { Command1_Click(); };
    cmdMultipleCounties->Click = [this] { cmdMultipleCounties_Click(); };
}

void frmCountyChange::Form_Load() {
    ScaleWindow(*this, platform().screen, platform().dialogs);
    Text1->setText(app_.station().OwnCounty);
    // The box takes the focus as the window first shows, which is no move between controls:
    // select as its arrival would.
    Text1_GotFocus();
}

void frmCountyChange::Command1_Click() {
    // Stored as typed: Enter does not check the county, only leaving the box does.
    app_.station().OwnCounty = Text1->Text();
    WriteQSOPref(app_.station(), platform().files);
    Hide();
}

void frmCountyChange::Text1_GotFocus() {
    Text1->setSelLength(static_cast<int>(Text1->Text().size()));
}

void frmCountyChange::Text1_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
        return;
    }
    CountyBoxKeyPress(app_, *Text1, KeyAscii, CountyTypeAheadRule::KeyCase::EveryLetter);
}

void frmCountyChange::Text1_LostFocus() {
    if (CheckCountyBox(app_, *Text1, *Label2)) return;
    try {
        Text1->SetFocus();
    } catch (const Error&) {
    }
}

void frmCountyChange::cmdMultipleCounties_Click() {
    app_.forms().frmCountyChangeRover().ShowModal();
    Command1_Click();
}

}  // namespace qf
