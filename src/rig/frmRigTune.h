// frmRigTune: the tuning window (Ctrl+G). A typed frequency and Go, sixteen band presets, ten
// step buttons, six mode buttons and an upward scan between two frequencies; every tuning goes
// through the rig window's ChangeFrequency, every mode button through its ChangeMode. It keeps
// no state beyond its controls: the logging window unloads it when it closes.
#pragma once

#include "platform/ChoiceControls.h"
#include "platform/Controls.h"

#include <array>
#include <functional>

namespace qf {

class App;

class frmRigTune : public Form {
    Q_OBJECT
  public:
    explicit frmRigTune(App& app);

    // ---- controls
    std::array<CommandButton*, 16> cmdBand{};
    CommandButton *cmdCW, *cmdUSB, *cmdLSB, *cmdAM, *cmdFM, *cmdRTTY;
    Label *Label1, *Label2, *Label3, *Label4, *Label5;
    TextBox *txtFreq, *txtFrom, *txtTo;
    CommandButton* Command1;                   // Go
    std::array<CommandButton*, 10> cmdTune{};  // even: up, odd: down
    CheckBox* chkScan;
    Frame* Frame1;
    OptionButton *Option5, *Option1, *Option2, *Option3, *Option4;  // 2.5 KHz ... 10 Hz
    qf::Timer* Timer1;
    CommandButton* cmdDone;
    Line *Line1, *Line2, *Line3, *Line4;

    // How the window reaches the rig window; a test may listen in here.
    std::function<void(float)> ChangeFrequencyCall;
    std::function<void(const QString&)> ChangeModeCall;

    // ---- handlers
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Command1_Click();  // Go
    void cmdBand_Click(int Index);
    void cmdTune_Click(int Index);
    void modeButton_Click(const QString& mode);
    void txtFreq_Change();
    void txtFreq_KeyPress(int& KeyAscii);
    void chkScan_Click();
    void Timer1_Timer();
    void cmdDone_Click();

  private:
    App& app_;
};

}  // namespace qf
