// PhoneFrm: the voice keyer window. It holds a wave file for each of F1 to F9, plays the one a
// function key asks for with the transmitter keyed by push-to-talk (RTS or DTR of a serial port,
// or the parallel port), repeats F1 after a pause, and keeps its settings in "wave2.txt", which
// the setup window reads back into it at start. Loaded hidden at start, only hidden by Done, so
// its port, player and timers go on working; the logging window unloads it first.
//
// Push-to-talk is never left keyed: the window remembers each line it raised (which signal on
// which port, which parallel address) and drops exactly those when playback ends, when a play
// fails after raising them (with a beep), when Esc stops the message, before its port is closed,
// and when it unloads, whatever the boxes and options say by then. The recording is opened before
// any line goes up, and a line that cannot be raised plays nothing and says so.
#pragma once

#include "platform/ChoiceControls.h"
#include "platform/Controls.h"
#include "platform/KeyingLine.h"
#include "platform/SerialPort.h"
#include "platform/WavePlayer.h"

#include <QByteArray>

#include <memory>
#include <vector>

namespace qf {

class App;

class PhoneFrm : public Form {
    Q_OBJECT
  public:
    explicit PhoneFrm(App& app);
    ~PhoneFrm() override;

    // ---- controls
    TextBox *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9;  // F1 to F9
    CommandButton *Command2, *Command3, *Command4, *Command5, *Command6, *Command7, *Command8,
        *Command9, *Command10;  // Browse for Text1 to Text9
    TextBox* txtPHLoop;         // F1 repeat pause, seconds; 0 none
    TextBox* Text10;            // push-to-talk serial port; 0 none
    Frame* Frame1;
    OptionButton *Option1, *Option2, *Option3;  // RTS, DTR, Parallel
    TextBox* Text11;                            // parallel port base address
    CommandButton* Command11;                   // Test
    CommandButton* Command1;                    // Done
    qf::Timer* Timer1;                          // 40 ms: the end of playback
    qf::Timer* tmrRepeat;                       // the F1 repeat pause
    std::unique_ptr<WavePlayer> MMControl1;
    std::unique_ptr<SerialPort> CommPhone;

    // ---- public methods
    // Plays the message of F1 to F9 (key codes 112 to 120); any other code does nothing.
    void FKeyPhone(int KeyCode);
    // Fills the controls from the 13 values of "wave2.txt", each as soon as it is read. Throws at
    // the first value that is missing or refused; what came first stays.
    void LoadVoiceSettings(const QByteArray& data);
    // Closes the push-to-talk port (the other keyers share ports), dropping its lines first.
    void ClosePushToTalkPort();
    // Lines raised and not yet dropped.
    bool PushToTalkUp() const { return !raised_.empty(); }
    // Esc: stops the message and releases push-to-talk at once; false when nothing played and
    // nothing was keyed.
    bool StopPlayback();

    // ---- handlers
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Command1_Click();   // Done
    void Command11_Click();  // Test
    void Browse_Click(TextBox* box);
    void Timer1_Timer();
    void tmrRepeat_Timer();
    void Text10_GotFocus();
    void Text10_LostFocus();
    void txtPHLoop_LostFocus();

    // The bytes Done writes to "wave2.txt".
    QByteArray SettingsFileData() const;

  private:
    struct RaisedLine {
        bool parallel;
        int port;             // serial: the port number
        SerialSignal signal;  // serial: which line
        quint16 address;      // parallel: the base address
    };
    void buildControls();
    void wireHandlers();
    void PhoneSetup();
    void reportInvalidPort();
    // Raises the chosen lines; false when a line could not be set. Throws when the boxes name
    // no line (an address that is none).
    bool raisePushToTalk();
    void abandonPlay();
    void dropPushToTalk();
    TextBox* waveBox(int keyCode) const;

    App& app_;
    std::vector<RaisedLine> raised_;
};

}  // namespace qf
