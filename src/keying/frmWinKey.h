// frmWinKey: the WinKey window. It opens and closes the external keyer through the WinKey
// driver, pushes its settings (speed, weight, push-to-talk times, ratio, pin configuration,
// mode), feeds it the CW send buffer one character at a time, and keeps its settings in
// "WK.txt" in the data folder. Loaded hidden when the CW window's "WinKey" option is chosen,
// hidden by Done, unloaded last by the logging window (which closes the keyer).
#pragma once

#include "platform/ChoiceControls.h"
#include "platform/Controls.h"
#include "platform/Form.h"

#include <optional>

namespace qf {

class App;
class WinKeyDriver;

class frmWinKey : public Form {
    Q_OBJECT
  public:
    explicit frmWinKey(App& app);

    TextBox *txtWKComPort, *txtWKWPM, *txtWeight, *txtLeadIn, *txtTail, *txtRatio;
    CommandButton *cmdOpenWinkey, *cmdCloseWinkey, *Command3, *cmdStop, *cmdDone;
    Label *lblOpenStatus, *lblVersion;
    Frame *fraMode, *fraPin;
    OptionButton *optIambicA, *optIambicB, *optUltimatic, *optBug;
    OptionButton *optPTT, *optTone, *optKey5Off3Out, *optKey5Out3Off;

    // ---- public operations
    void cmdCloseWinkey_Click();
    void cmdOpenWinkey_Click();
    // Sends the whole of the CW send buffer to the keyer, opening it first when it is closed;
    // leaves the buffer empty.
    void WKTransmit();
    // Reads the keyer's status into WinKeyStatus and returns it. A keyer found to have stopped
    // answering gets no more of the CW send buffer (emptied, the repeat stopped) and one
    // clear-buffer command, which *clearedNow reports; then the operator is told, once until it
    // is heard from again.
    qint32 PollStatus(bool* clearedNow = nullptr);

    // ---- handlers
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void txtWKComPort_LostFocus();
    void txtWKWPM_LostFocus();
    void txtWeight_LostFocus();
    void txtLeadIn_LostFocus();
    void txtTail_LostFocus();
    void txtRatio_LostFocus();
    void cmdStop_Click();
    void Command3_Click();  // Test
    void cmdDone_Click();

    // The status text of an open result; none for a code without one.
    static std::optional<QString> OpenStatusText(qint32 code);

  private:
    void buildControls();
    void SendWinKeySettings();
    void leadTailLeft(TextBox* left);
    void modeChosen(quint8 mode);
    void pinChosen(quint8 config);
    // Nothing more for a keyer that has stopped answering: the send buffer is emptied and a
    // repeat stopped.
    void stopFeeding();
    WinKeyDriver& wk();
    QString settingsPath() const;

    App& app_;
    bool silenceReported_ = false;
};

}  // namespace qf
