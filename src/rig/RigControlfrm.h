// RigControlfrm: the rig window. Owns the rig settings ("RigCntrl.txt"), the model presets, the
// CAT serial port and the poll timer; Test opens the link and starts polling, End Test stops it.
// Collaborators: the model table (RigModels.h), the platform's serial-port service and clock,
// Form1 (SavePref now; the readings later) and the logging windows, which start and show it.
#pragma once

#include "platform/ChoiceControls.h"
#include "platform/Controls.h"
#include "platform/ListBox.h"
#include "platform/SerialPort.h"
#include "rig/BandPlan.h"
#include "rig/RigModels.h"

#include <QByteArray>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace qf {

class App;

class RigControlfrm : public Form {
    Q_OBJECT
  public:
    explicit RigControlfrm(App& app);
    ~RigControlfrm() override;

    // ---- controls
    Label *Label1, *Label10, *Label4, *Label3, *Label7, *lblFreq, *Label5, *lblMode, *Label9;
    Label *Label2, *Label6, *lblUnProcess, *Label8, *Label11, *Label12;
    ListBox* List1;
    TextBox *txtFreq, *txtMode;
    CheckBox *chkConvToHex, *chkFrequency, *ChkConvHex;
    Frame *Frame1, *fraPort, *fraBaud, *fraParity, *fraData, *fraStop, *fraPower, *fraPoll;
    OptionButton *OptRig, *OptFreq, *OptDont;
    std::array<OptionButton*, 10> optComm{};
    OptionButton *optBaud12, *optBaud24, *optBaud48, *optBaud96, *optBaud144, *optBaud192,
        *optBaud288, *optBaud384, *optBaud560;
    OptionButton *optParityOdd, *optParityNone, *optParityEven;
    OptionButton *optData7, *optData8, *optStop1, *optStop2;
    OptionButton *optPowerNone, *optPowerRTS, *optPowerDTR;
    OptionButton *optPollFast, *optPollMed, *optPollSlow, *optReallySlow;
    CommandButton *Command1, *Command2, *Command3, *Command4, *cmdDone;
    qf::Timer* tmrGetData;
    std::unique_ptr<SerialPort> comComm1;

    // ---- window state (design values of the controls until a file or Test sets them)
    QString RigBaud = QStringLiteral("56000");
    QString RigParity = QStringLiteral("N");
    QString RigDataBits = QStringLiteral("8");
    QString RigStopBits = QStringLiteral("1");
    QString RigModeQuery;
    QString RigFrequencyQuery;
    QString RigCommSettings = QStringLiteral("56000,N,8,1");
    int RigPort = 1;
    QString RigPower = QStringLiteral("N");
    QString RigPollRate = QStringLiteral("M");
    int RigLoading = 0;
    float ReportedFrequency = 0;
    QString ReportedMode;
    int ActiveVFO = 0;
    // The poll loop's own state.
    int AwaitingReply = 0;
    int FrequencyQueried = 0;
    QString RawReply;
    // Poll ticks run so far.
    int PollTicks = 0;
    // The Extra class's band-plan rows, read at load.
    std::vector<rig::BandPlanSegment> RigBandPlan;
    // The path of the Pegasus control program's command file ("PEGASUS.IN"); empty, or no
    // function, while there is no Pegasus folder: then nothing is written.
    std::function<QString()> PegasusInFile;

    // ---- public methods
    // Test. modelBeforeLoad: the model the logging window's start-up saw before this window
    // loaded (its first step runs on that value); otherwise the current one.
    void Command1_Click();
    // Tune the rig to qChangeFreq MHz (and the band plan's mode for it); reports its own errors.
    void ChangeFrequency(float& qChangeFreq);
    // Set ModeToChangeTo, or the band plan's mode for qChangeFrequency when it is empty.
    void ChangeMode(float& qChangeFrequency, QString& ModeToChangeTo);
    void TestFromStartup(const QString& modelBeforeLoad);

    // ---- handlers
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void List1_Click();
    void Command2_Click();  // End Test
    void Command3_Click();  // Change Frequency
    void Command4_Click();  // clipboard copy
    void cmdDone_Click();
    void chkConvToHex_Click();
    void modeBy_Click();
    // One poll tick: a send tick writes the model's query, the next reads and decodes the
    // reply and hands frequency and mode to the logging window.
    void tmrGetData_Timer();
    void txtFreq_Change();
    void txtMode_Change();
    void txtFreq_GotFocus();
    void txtMode_GotFocus();
    // "Mode by: Frequency": the sub-band's mode replaces the rig's where one matches.
    void ModeFromFrequency();

    // Reading and writing "RigCntrl.txt" in the current working folder.
    void LoadRigSettings();
    void SaveRigSettings();
    // Reads the Extra rows of "BandPlan.txt" in the working folder into RigBandPlan.
    void LoadBandPlanSegments();

  private:
    void buildControls();
    void wireHandlers();
    void test(const QString& firstStepModel);
    void collectOptions();
    void OpenRigPort();
    void StartPolling();
    void reportOpenFailure();
    void sendTick(const rig::RigModelRow* row);
    void sendPairs(const QString& query, const QString& pairs);
    void receiveTick(const rig::RigModelRow* row);
    bool replyReady(const rig::RigModelRow* row, const QString& arrived);
    void forgetReply();
    void rigDeviceGone();
    void store(const rig::CatReading& reading);
    void PauseMs(qint64 ms);
    void WaitOutputDrained();
    void WritePegasusFile(float mhz);

    // The read strings refused since Test, with what the reply box says about each.
    struct RefusedQuery {
        QString query, text;
    };
    std::vector<RefusedQuery> refusedQueries_;
    // When the first part of a reply still on its way was seen (the clock's tick).
    std::optional<qint64> replyWaitStart_;

    App& app_;
};

}  // namespace qf
