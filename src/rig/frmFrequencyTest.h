// frmFrequencyTest: the rig command test window, opened from the rig window's "Change
// Frequency" while the rig is polled. The first Send writes a typed command (or its hex pairs
// as bytes) straight to the rig's port, polling going on around it; the second hands a
// frequency in MHz to the rig window's ChangeFrequency.
#pragma once

#include "platform/ChoiceControls.h"
#include "platform/Controls.h"

namespace qf {

class App;

class frmFrequencyTest : public Form {
    Q_OBJECT
  public:
    explicit frmFrequencyTest(App& app);

    Label *Label1, *Label2, *Label3, *Label4;
    TextBox *Text1, *Text2;
    CheckBox* Check1;
    CommandButton *Command1, *Command2;
    Line* Line1;

    void Form_Load() override;
    void Command1_Click();
    void Command2_Click();

  private:
    App& app_;
};

}  // namespace qf
