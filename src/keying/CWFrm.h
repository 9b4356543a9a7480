// CWFrm: the CW keyer window. It holds the keyer's settings and the eleven function-key
// messages in its controls (every other part reads them there), builds a key's message with its
// macros and sends it through the send loop, keys each character on the chosen line, repeats
// F1, and saves its settings to "CW.txt" and the registry. Loaded hidden at start and only ever
// hidden by Done, so its port and repeat timer keep working.
#pragma once

#include "keying/MorseTiming.h"
#include "platform/ChoiceControls.h"
#include "platform/Controls.h"
#include "platform/SerialPort.h"

#include <QByteArray>

#include <memory>
#include <optional>

namespace qf {

class App;

class CWFrm : public Form {
    Q_OBJECT
  public:
    explicit CWFrm(App& app);
    ~CWFrm() override;

    // ---- controls
    // The messages: Text1 to Text9 (F1 to F9), Text12 (F10), Text13 (F11).
    TextBox *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9, *Text12,
        *Text13;
    TextBox* Text10;     // serial port for RTS or DTR keying; "0" none
    TextBox* Text11;     // speed, words per minute: the one CW speed of the program
    TextBox* Text14;     // parallel port base address, decimal or "&H" hexadecimal
    TextBox* txtSpace;   // word-space adjustment, units
    TextBox* txtCWLoop;  // F1 repeat interval, seconds
    TextBox* txtLoop;    // passes of the counting loop per 60 ms
    CommandButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7;
    CommandButton *cmdConfWinkey, *cmdLoopFaster, *cmdLoopSlower;
    CheckBox* Check1;  // echo the unsent text on the logging window's status line
    Frame *Frame1, *Frame2;
    OptionButton *Option1, *Option2, *Option3, *Option4,
        *Option5;  // RTS, DTR, Printer, None, WinKey
    OptionButton *optTimer, *OptSleep, *optLoop;
    Label *Label23, *lblLoop;
    qf::Timer* tmrRepeat;
    std::unique_ptr<SerialPort> Comm;

    double LoopsPer60ms = 0;

    // ---- public methods
    void FKeyCW(int KeyCode);
    void Transmit(QChar CodeCharacter);
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    // Opens the CW port from Text10 (port "0" only closes it); false when it could not, after
    // telling the operator.
    bool CWSetup();
    void LoopThroughCWBuffer();
    void CalibrateLoop();
    // Fills the controls from the 18 values of "cw.txt", each as it is read, then selects the
    // stored keying option. Throws at the first failure; what came first stays.
    void LoadCWSettings(const QByteArray& data);

    // ---- handlers
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Command1_Click();  // Done
    void Command4_Click();  // Test
    void Command5_Click();  // Less
    void Command6_Click();  // More
    void Command7_Click();  // Send Code Practice
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void cmdConfWinkey_Click();
    void optTimer_Click();
    void OptSleep_Click();
    void optLoop_Click();
    void txtLoop_Change();
    void cmdLoopFaster_Click();
    void cmdLoopSlower_Click();
    void tmrRepeat_Timer();
    void Text10_LostFocus();
    void Text11_Change();
    void Text11_LostFocus();
    void txtSpace_Change();
    void txtSpace_LostFocus();
    void txtCWLoop_LostFocus();

    // The timing method the options choose.
    TimingMethod timingMethod() const;

    // Numbers as the boxes hold them: an optional sign, digits, an optional point and digits.
    static std::optional<double> NumberIn(const QString& text);
    // "&H378" or "888": the address; none when it is not one or leaves no room for + 2.
    static std::optional<quint16> PortAddress(const QString& text);

  private:
    void buildControls();
    void wireHandlers();
    TextBox* messageBox(int keyCode) const;
    double speedNow() const;
    void setLoopControlsEnabled(bool on);
    void setEchoStatus(const QString& text);
    void logFromMessage();
    void reportInvalidPort();
    // A keying line that failed ends the message and the repeat, and tells the operator.
    void keyingLineFailed();

    App& app_;
    // Set when this message's port could not be opened: the rest of it is timed without a line
    // and without asking again.
    bool portRefused_ = false;
};

}  // namespace qf
