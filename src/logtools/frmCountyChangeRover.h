// The rover county list ("County Change for Rovers"): a rover parked on a county line lists every
// county it counts in. The alphabetically first becomes the own county; for each further one the
// in-state window logs every new contact once more (it reads the list through RoverCountyLine).
// The window is hidden, never closed, when the operator is done, so the list lasts until the
// in-state window unloads.
#pragma once

#include "logging/RoverCountyList.h"
#include "platform/Controls.h"
#include "platform/ListBox.h"

namespace qf {

class App;

class frmCountyChangeRover : public Form {
    Q_OBJECT
  public:
    explicit frmCountyChangeRover(App& app);

    TextBox* Text1;
    CommandButton* Command1;  // "&Done"
    Label *Label2, *Label1;
    ListBox* List1;  // sorted; entries kept as typed, repeats allowed
    Label* Label3;

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Command1_Click();
    void List1_Click();
    void Text1_GotFocus();
    void Text1_KeyPress(int& KeyAscii);
    void ValidateRoverCounty();
    void AddRoverCounty();

  private:
    App& app_;
};

// The rover's list as the in-state window reads it. The first look loads the window, hidden,
// so its box takes the own county of that moment, as a first opening would.
class RoverCountyLine : public RoverCountyList {
  public:
    explicit RoverCountyLine(FormSlot<frmCountyChangeRover>& slot) : slot_(slot) {}
    int count() const override { return slot_.get().List1->ListCount(); }
    QString entry(int position) const override { return slot_.get().List1->List(position); }

  private:
    FormSlot<frmCountyChangeRover>& slot_;
};

}  // namespace qf
