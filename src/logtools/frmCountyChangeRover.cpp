#include "logtools/frmCountyChangeRover.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/ScreenScaling.h"
#include "logging/TypeAhead.h"
#include "logtools/EditContactDialog.h"
#include "logtools/frmCountyChange.h"

namespace qf {

frmCountyChangeRover::frmCountyChangeRover(App& app)
    : Form(app.platform(), QStringLiteral("frmCountyChangeRover"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral("County Change for Rovers"));
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowFlag(Qt::WindowSystemMenuHint, false);
    Move(0, 0, 3615, 3135);

    Text1 = add<TextBox>(QStringLiteral("Text1"));
    Text1->Move(120, 660, 1215, 315);
    Command1 = add<CommandButton>(QStringLiteral("Command1"), QStringLiteral("&Done"));
    Command1->Move(2400, 630, 975, 375);
    Label2 = addInvalidMark(*this, 1395, 690);
    Label1 = add<Label>(QStringLiteral("Label1"),
                        QStringLiteral("Please enter your current counties.  Click on listed "
                                       "counties to remove."));
    Label1->Move(120, 120, 3255, 435);
    List1 = add<ListBox>(QStringLiteral("List1"), true);
    List1->Move(120, 1080, 1215, 1425);
    Label3 = add<Label>(QStringLiteral("Label3"),
                        QStringLiteral("Type the county and the press enter to add to the list."));
    Label3->Move(1440, 1080, 1935, 855);

    Text1->GotFocus = [this] { Text1_GotFocus(); };
    Text1->KeyPress = [this](int& k) { Text1_KeyPress(k); };
    Command1->Click = [this] { Command1_Click(); };
    List1->Click = [this] { List1_Click(); };
}

void frmCountyChangeRover::Form_Load() {
    ScaleWindow(*this, platform().screen, platform().dialogs);
    Text1->setText(app_.station().OwnCounty);
    // The box takes the focus as the window first shows, which is no move between controls:
    // select as its arrival would.
    Text1_GotFocus();
}

void frmCountyChangeRover::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // Closed by the window manager, the window only hides: its list must outlive it. It goes
    // with the in-state window, which unloads it from code.
    if (UnloadMode == kUnloadFromControlMenu) {
        Cancel = 1;
        Hide();
    }
}

void frmCountyChangeRover::Command1_Click() {
    if (List1->ListCount() > 0) {
        if (frmCountyChange* own = app_.forms().countyChangeSlot().peek()) {
            own->Text1->setText(List1->List(0));
        }
    }
    Hide();
}

void frmCountyChangeRover::List1_Click() {
    List1->RemoveItem(List1->ListIndex());
    Command1->SetFocus();
}

void frmCountyChangeRover::Text1_GotFocus() {
    Text1->setSelLength(static_cast<int>(Text1->Text().size()));
}

void frmCountyChangeRover::Text1_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        ValidateRoverCounty();
        if (Label2->Visible()) return;
        AddRoverCounty();
        return;
    }
    // Letters keep the case they are typed in, except at the start and after a blank.
    CountyBoxKeyPress(app_, *Text1, KeyAscii, CountyTypeAheadRule::KeyCase::StartOrAfterBlank);
}

void frmCountyChangeRover::ValidateRoverCounty() {
    if (!CheckCountyBox(app_, *Text1, *Label2)) Text1->SetFocus();
}

void frmCountyChangeRover::AddRoverCounty() {
    List1->AddItem(Text1->Text());
    Text1->setText(QString());
}

}  // namespace qf
