// PacketSpotfrm: the spotting window. The operator picks where DX spots come from ("None",
// "TNC", "Telnet", "AGW Packet Engine"), sets that source's options, opens and closes it,
// watches the received text in the monitor box and types lines to send; the window also holds
// the choice of list or band map that the logging window lays out. Its settings live in
// "PackSpot.txt". Done hides it; an open source, its timer and connection go on working.
//
// Collaborators: the serial-port service and clock of the platform (the TNC source), the plain
// spot logic beside it (SpotLine, SpotMonitor, TncLineBuffer), and the facade Form1, through
// which spots reach the running logging window.
//
// Each source has its own file of handlers: PacketSpotfrm_Tnc.cpp, PacketSpotfrm_Telnet.cpp,
// PacketSpotfrm_AGW.cpp. The intake all sources share (the timer, line handling, PostSpot,
// the monitor and the send box) is PacketSpotfrm_Intake.cpp.
#pragma once

#include "platform/ChoiceControls.h"
#include "platform/Controls.h"
#include "platform/ListBox.h"
#include "platform/SerialPort.h"
#include "platform/TcpClient.h"
#include "spots/SpotLine.h"
#include "spots/SpotMonitor.h"
#include "spots/TelnetCluster.h"
#include "spots/TncLineBuffer.h"

#include <QPlainTextEdit>

#include <array>
#include <memory>

namespace qf {

class App;

// The monitor box: shows the window's SpotMonitor text, CR LF shown as one line break. It
// holds no text of its own; the operator reads and scrolls it but cannot edit it.
class MonitorBox : public WidgetControl<QPlainTextEdit> {
    Q_OBJECT
  public:
    MonitorBox(Form& form, QString name, const SpotMonitor& monitor);
    // The monitor's text, exactly.
    const QString& Text() const { return monitor_.text(); }
    // Draws the monitor's text when it changed since the last draw, caret at the end.
    void refresh();
    void setBackColor(quint32 color);
    void setForeColor(quint32 color);

  protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

  private:
    const SpotMonitor& monitor_;
    quint64 drawn_ = ~quint64{0};
    quint64 drawnRewrites_ = ~quint64{0};
    qsizetype drawnSize_ = 0;  // the monitor's characters the box shows
};

class PacketSpotfrm : public Form {
    Q_OBJECT
  public:
    explicit PacketSpotfrm(App& app);
    ~PacketSpotfrm() override;

    // ---- controls
    Label* Label1;
    ListBox* List1;
    CheckBox* chkDX;
    Frame* fraPort;
    std::array<OptionButton*, 10> optComm{};
    Frame* fraBaud;
    OptionButton *optBaud12, *optBaud24, *optBaud48, *optBaud96, *optBaud144, *optBaud192;
    Frame* fraParity;
    OptionButton *optParityOdd, *optParityNone, *optParityEven;
    Frame* fraData;
    OptionButton *optData7, *optData8;
    Frame* fraStop;
    OptionButton *optStop1, *optStop2;
    Frame* fraPower;
    OptionButton *optPowerNone, *optPowerRTS, *optPowerDTR;
    Frame* Frame1;
    OptionButton *Option1, *Option2, *Option3, *Option4;  // handshaking
    Label* Label2;
    TextBox* txtHex;
    Label* Label7;
    TextBox* txtTelnetHost;
    Label* Label3;
    TextBox* txtTelnetPort;
    Frame* Frame2;
    OptionButton *OptList, *OptBand;
    CommandButton *cmdDone, *Command1, *Command2, *Command3;
    Label* Label4;  // "Listening": shown while a source is open
    Line* Line1;
    MonitorBox* txtUnProcessed;
    CheckBox* chkConvToHex;
    Label* Label6;
    TextBox* txtSent;
    std::unique_ptr<SerialPort> comComm1;
    std::unique_ptr<TcpClient> Winsock1;  // the cluster connection
    qf::Timer* Timer1;

    // ---- window variables
    QString SpotSource;
    QString SpotBaud;
    QString SpotParity;
    QString SpotDataBits;
    QString SpotStopBits;
    quint8 SpotPort = 0;
    QString SpotPower;
    quint8 SpotHandshaking = 0;
    QString SpotCommSettings;
    quint8 SpotLoading = 0;
    QString AGWConnectedCall;
    QString SpotSerialChunk;
    TncLineBuffer SpotLineBuffer;
    // The monitor box's text: the box only shows it.
    SpotMonitor Monitor;

    // ---- public members
    float LabelUpdateTimeCounter = 0;
    void Command1_Click();  // Open Port

    // ---- the spot intake every source uses
    // Hands one spot to the running logging window through Form1.BandMapSpots; resets the
    // band-map refresh count. The receiver may change frequency and line.
    void PostSpot(QString& frequency, QString& call, QString& line);
    // Reads a spot line's columns and posts it when its frequency field stands whole; a line
    // whose field does not is only shown by its source. The "DX" marker is the caller's test.
    // True when the spot was handed on.
    bool postSpotLine(const QString& line);
    // The monitor box: the sources append received text and notices, then TrimMonitor.
    void appendMonitor(const QString& text);
    void replaceMonitor(const QString& text);
    void TrimMonitor();
    void ShowSpotHelp();
    bool listening() const;  // "Listening" shown

    // ---- handlers
    void Form_Load() override;
    void Form_Activate();
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void List1_Click();
    void Command2_Click();  // Close Port
    // A source that ended by itself (an error, the far side's close): the notice, if any, in the
    // monitor, then Close Port, and a beep, since the window may be hidden.
    void feedEnded(const QString& notice);
    void Command3_Click();  // "&Spot Last"
    void cmdDone_Click();
    void optionClick();  // each of the 21 serial, power and handshaking options
    void Timer1_Timer();
    void ProcessTNCBuffer();
    void txtSent_KeyPress(int& KeyAscii);
    void txtSent_Change();

    // ---- the TNC source (PacketSpotfrm_Tnc.cpp)
    void ReadCommSettings();
    void OpenTNCPort();
    void ReadTNCPort();

    // ---- the Telnet source (PacketSpotfrm_Telnet.cpp)
    void ConnectTelnet();   // Open Port with "Telnet"
    void SendTelnetLine();  // the send box's Enter with "Telnet"
    void closeTelnet();     // Close Port: the connection closes, whatever its state
    void Winsock1_DataArrival(const QString& text);
    void Winsock1_Error(int Number);
    void Winsock1_Close();  // the cluster ended the connection
    const TelnetLineAssembler& telnetLines() const { return telnetLines_; }

    // ---- the packet-engine source (PacketSpotfrm_AGW.cpp)
    void ConnectAGW();   // Open Port with "AGW Packet Engine"
    void PollAGW();      // one frame per timer tick
    void SendAGWLine();  // the send box's Enter, and a long line typed
    // Close Port with "AGW Packet Engine": the connected station is disconnected (the caption
    // loses its station) and the program unregisters.
    void closeAGW();
    // The window's unload: the connected station is disconnected; with the packet-engine
    // source chosen the program unregisters.
    void unloadAGW();
    // The engine ended the session: said in the monitor, and the source closed.
    void agwEnded();

    // The help paragraphs of each source, each followed by two CR LF pairs.
    static QString TncHelp();
    static QString TelnetHelp();
    static QString AGWHelp();

  protected:
    bool event(QEvent* e) override;

  private:
    void buildControls();
    void wireHandlers();
    void LoadSpotSettings();
    void SaveSpotSettings();
    void DisableSpotOptions();
    void EnableTNCOptions();
    void EnableTelnetOptions();
    void EnableAGWOptions();
    // The send box takes the focus when it can: it is disabled while no source's panel is on.
    void focusSendBox();
    bool sourceIs(const char* name) const;

    // Hands bytes to the TNC; a write that finds the device gone ends the feed, then raises.
    void writeTNC(const QByteArray& bytes);
    // The TNC's device went away under a read or write: the feed ends with a notice.
    void tncDeviceGone();

    void wireTelnet();
    // Cluster text not yet ended by LF, so every spot line is read whole, once.
    TelnetLineAssembler telnetLines_;

    App& app_;
    bool passRunning_ = false;  // ProcessTNCBuffer is splitting lines
};

}  // namespace qf
