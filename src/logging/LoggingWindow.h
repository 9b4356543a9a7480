// Room src/logging/: the two logging windows and their plain rules (contacts, tallies, bands).
// Wires the boxes to logstore/ and the rules; reaches keying, rig and spots only by their doors.
//
// LoggingWindow: what the two logging windows share. Outfrm (a station outside the contest
// state) and Infrm (inside it) are twins with the exchange reversed: the controls of the same
// name, the load and close, the tallies and clocks, the log list and the window size live here
// once; each twin adds its own layout and the steps where it differs.
#pragma once

#include "platform/Controls.h"
#include "platform/ListBox.h"
#include "platform/ListView.h"
#include "platform/Menus.h"

#include <QKeyEvent>

#include <array>
#include <map>
#include <memory>
#include <optional>

namespace qf {

class App;
class LogIndex;
struct LogSummary;
enum class EntryBox;
enum class Exchange;
struct BoxState;
struct EntryTexts;
struct QSORecord;

class LoggingWindow : public Form {
    Q_OBJECT
  public:
    enum class Kind { OutOfState, InState };
    static const std::array<const char*, 10> kBands;

    LoggingWindow(App& app, QString name, Kind kind);
    ~LoggingWindow() override;
    Kind kind() const { return kind_; }

    // ---- what other windows call
    // Checks and logs the contact in the entry boxes (Enter, and the CW "!").
    virtual void Mains() = 0;
    void LoadLogAndRefresh();
    // The rig's reading: frequency in MHz and mode text; neither is changed.
    void BandFreqConversion(const float& frequencyValue);
    void ModeSelection(const QString& strMode);
    // One spot from the spotting window. Writes back into the caller's variables: the kHz
    // text becomes the MHz value, the record is cut before its first CR.
    void BandMapSpots(const QString& qDXSpotCall, QString& qDXSpotFreq, QString& qDXSpotRecord);
    void DisplayBandMapLabels();
    void PacketResize();
    // The index of the log the entry rules and tallies read (LogIndex.h), in step with the log.
    const LogIndex& logIndex();
    // Every change of the log in memory (a load, an edit, a delete) ends here, so the index
    // takes the changed rows again; an appended contact is taken up by logIndex() itself.
    void logChanged();

    // ---- what other windows read
    quint8 CtrlKeyPending = 0;

    // ---- controls both windows have
    Label* lblRecentContacts;
    CommandButton* cmdList;
    ListView* ListView1;
    Label* lblScorStats;
    Label *Label5, *Label7, *Label8, *Label9;
    Label *lblTotCon, *lblsectogo, *lblTotSec, *lblTotScore, *lblAQSO20, *lblAQSO60;
    std::map<int, Label*> lblStation;
    TextBox *txtCall, *txtRSTR, *txtSec, *txtCntry, *txtRSTS;
    Label* lblDialog;
    Label* lblPossDup;
    CommandButton* cmdDup;
    Label* lblDupe;
    ListBox *List1, *List2;
    Line* Line3;
    Label *Label12, *lblttrack;
    CommandButton* cmdLogOn;
    Label *Label21, *Label24, *lblBandSwitch, *Label30, *Label2, *Label1, *Label25;
    Label *lblCurTime, *Label16, *lblutctime, *Label11;
    CommandButton *cmdEdit, *cmdDelete;
    Label* lblPostConTime;
    TextBox* txtPostConTime;
    Label* lblPostConDate;
    TextBox* txtPostConDate;
    ListView* txtDX;
    Label* lblDX;
    Line* LineDX;
    Label* Label3;
    Label *Label17, *Label22, *Label18, *Label23, *Label20, *Label19;
    std::array<Label*, 50> lblDXSpot{};
    std::array<Label*, 5> lblFreqSpot{};
    qf::Timer* Timer1;  // rates, every minute
    qf::Timer* Timer2;  // clocks, every second

    // ---- menus
    MenuItem *mnuFile, *mnuNew, *mnuArchive, *mnuRestore, *mnuWriteSumm, *mnuexportADIF,
        *mnuCopyListtoClipboard, *mnuExit;
    MenuItem *mnuOptions, *mnuAppearance, *mnuFormSize, *mnuColors = nullptr, *mnuTaskbar;
    MenuItem *mnutrans, *mnuCW, *mnuVoice, *mnuRigInterface, *mnuDX, *mnuDXSpotting,
        *mnuSpectrumMap, *mnuBlind, *mnuListPrevious, *mnuPostContest;
    MenuItem* mnuBandChange;
    std::array<MenuItem*, 10> mnuBandItems{};  // "160" to "70", in menu order
    MenuItem* mnuPrivileges;
    MenuItem *mnuBand, *mnu160, *mnuSSB, *mnuDigital;  // the mode menu and its three items
    MenuItem* mnuClear;
    MenuItem* mnuChangeCounty = nullptr;
    MenuItem *mnuMap, *mnuGraph, *mnuRecall, *mnuCountyList, *mnuHelp;

    // ---- load and close
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void AskOpenExistingLog();

    // ---- the keyboard hub: every key passes here before the focused box sees it
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Form_KeyPress(int& KeyAscii) override;

    // ---- entry boxes
    void txtCall_GotFocus();
    void txtCall_Change();
    void txtCall_KeyPress(int& KeyAscii);
    void txtRSTR_GotFocus();
    void txtRSTS_GotFocus();
    void txtRSTR_KeyPress(int& KeyAscii);
    void txtCntry_Change();
    virtual void txtSec_GotFocus();
    void txtRSTS_Change();
    void txtRSTS_KeyPress(int& KeyAscii);
    void ClearEntry();
    void mnuClear_Click();
    void mnuRecall_Click();
    void BearingDistance(float latitude, float longitude);

    // ---- logging and the duplicate rules
    void PartialDupCheck(int& KeyAscii);
    void cmdDup_Click();
    void mnuListPrevious_Click();
    void mnuPostContest_Click();
    void txtPostConDate_GotFocus();
    void txtPostConTime_GotFocus();
    void txtPostCon_KeyPress(TextBox* box, int& KeyAscii);
    // The post-contest date and time checks; false when the entry was refused.
    bool CheckPostContest();
    // Refuses an entry that would break the log or overflow it; true when refused.
    bool RefuseUnstorable();
    // The checks both twins run, each with its own exchange.
    void CheckRequiredFields();
    void CheckCounty();
    void DupCheck();

    // ---- tallies, score, rates and clocks
    void UpdateScore();
    void UpdateRates();
    void FillCountyLists();
    void AddWorkedCounty();
    void MarkWorked();
    void ShowOperatingTime();
    void cmdLogOn_Click();
    void Timer1_Timer();
    void Timer2_Timer();

    // ---- log list
    void FillLogList();
    void cmdList_Click();
    void ListView1_Click();
    void ListView1_ColumnClick(int column);
    void ListView1_MouseUp(int Button);
    void cmdEdit_Click();
    void cmdDelete_Click();
    void mnuCopyListtoClipboard_Click();

    // ---- window size
    void mnuFormSize_Click();
    void mnuTaskbar_Click();
    void ApplyFormSize();
    // Lays the log-list columns out across the width the list shows (ColumnFit.h): every column
    // in view, no sideways scrolling, each text whole as far as the room allows. Run by the load
    // once fonts and counties are settled, and again when the taskbar layout resizes the list.
    void fitLogListColumns();
    // Lays the columns out again when `call` is wider than every call the last fit made room
    // for, so a call is never shown shortened.
    void keepCallWhole(const QString& call);
    void TaskbarLayout();
    void PlaceCountyLists();

    // ---- band and mode
    void mnuBand160Ch_Click() { changeBand(0); }
    void mnuBand80Ch_Click() { changeBand(1); }
    void mnuBand40Ch_Click() { changeBand(2); }
    void mnuBand20Ch_Click() { changeBand(3); }
    void mnuBand15Ch_Click() { changeBand(4); }
    void mnuBand10Ch_Click() { changeBand(5); }
    void mnuBand6Ch_Click() { changeBand(6); }
    void mnuBand2Ch_Click() { changeBand(7); }
    void mnuBand125CH_Click() { changeBand(8); }
    void mnuBand70CH_Click() { changeBand(9); }
    void mnu160_Click();      // "CW"
    void mnuSSB_Click();      // "PH"
    void mnuDigital_Click();  // "DG"
    void Label24_Click();     // the band caption: the next band
    void Label30_Click();     // the mode caption: CW to PH, anything else to CW
    void BandChanged();

    // ---- spot list and band map
    void SetBandMapScale();
    void RefreshBandMap();
    void lblDXSpot_MouseDown(int Index, int Button);
    void lblDXSpot_MouseMove(int Index);
    void txtDX_Click();
    void txtDX_DblClick();
    void lblDX_Click();
    void lblDX_DblClick();

    // ---- menu commands
    void mnuNew_Click();
    void mnuArchive_Click();
    void mnuRestore_Click();
    void mnuWriteSumm_Click();
    void mnuexportADIF_Click();
    void mnuExit_Click();
    void mnuColors_Click();
    void mnuCW_Click();
    void mnuVoice_Click();
    void mnuRigInterface_Click();
    void mnuDXSpotting_Click();
    void mnuSpectrumMap_Click();
    void mnuBlind_Click();
    void mnuPrivileges_Click();
    void mnuChangeCounty_Click();
    void mnuMap_Click();
    void mnuGraph_Click();
    void mnuCountyList_Click();
    void mnuHelp_Click();

  protected:
    App& app_;

    // What differs between the twins.
    virtual void addLogListColumns(double width) = 0;
    virtual QStringList logListRow(int record) const = 0;
    // What a log-list column must show: its widest texts, and whether they are free text (a
    // name, a country), which has no fixed longest form and is shortened first.
    struct LogListTexts {
        QStringList widest;
        bool freeText = false;
    };
    // Column by column.
    virtual std::vector<LogListTexts> logListWidestTexts() const = 0;
    virtual void loadOwnSteps() {}  // the in-state table and grid
    virtual void showStationLabels() = 0;
    virtual void rebuildAfterLoad() = 0;  // the steps after the counting, in order
    virtual QString rebuildFailureText() const = 0;
    virtual ListBox* toGoList() const = 0;
    virtual QString toGoCaption() const = 0;  // "Counties To Go - " / "Cnty Rem - "
    virtual int toGoCaptionIndex() const = 0;
    virtual QString workedCaption() const = 0;
    virtual int workedCaptionIndex() const = 0;
    virtual std::vector<ListBox*> countyLists() const = 0;  // the lists under the log list
    // The texts the twins' log lists share: a full log's record number, the widest call, a
    // long name, the own name, a date and time, the modes, the bands, the county abbreviations.
    QStringList widestRecordNumbers() const;
    QStringList widestCalls() const;  // the fit's own, found once per fit
    // The widest of records first to last's calls, and at least a mobile call of wide letters.
    QString widestCall(int first, int last) const;
    QStringList widestNames() const;
    QStringList ownNames() const;
    QStringList widestDateTimes() const;
    QStringList modeTexts() const;
    QStringList bandTexts() const;
    QStringList countyTexts() const;
    // Entry: the twins' own key and focus handlers.
    virtual void callBoxHandOver(int& KeyAscii) { Q_UNUSED(KeyAscii); }
    virtual void callBoxKeyDone() {}  // last step of the call box's key handler
    virtual void txtCall_LostFocus() {}
    virtual void callTextChanged() {}  // after the macro takes a new call text
    // Empties the entry row: the five boxes and the continent, bearing and distance labels.
    virtual void clearRow();
    // Logging steps both twins share. The date and time of a new contact (the post-contest boxes,
    // or one reading of the clock); storing it as the next row, counting and appending it, with
    // the twin's own refreshes before the count and after the log list; the end of an attempt.
    void stampContact(QSORecord& q);
    bool storeContact(const QSORecord& q, const std::function<void()>& beforeCount,
                      const std::function<void()>& afterList);
    void finishAttempt(bool written);
    // The pauses of a logging attempt: the timers, port readings and posted events waiting
    // behind it run, while this window's own paint waits for the event loop after the attempt.
    void letPendingEventsRun();
    // Hands the keys held back while a contact was stored to the box that has the focus now.
    void replayHeldKeys();
    Exchange exchange() const;
    // Waits on the voice-navigation player while it speaks, running no events.
    void waitForVoicePrompt();
    virtual void txtSec_KeyPress(int& KeyAscii) = 0;
    virtual QString keyboardCwMessage() const = 0;
    void wireEntry();
    // The county box's keys, and its type-ahead over the county table.
    void countyBoxKeyPress(int& KeyAscii);
    void countyTypeAhead(int& KeyAscii);
    // The spoken name of a box that takes the focus. The voice navigation window speaks it
    // through BlindKeyPhone once it exists; until then the prompt stays silent.
    void speakPrompt(const QString& promptName);
    void status(const QString& text, bool beep = true);
    // The entry boxes as the contact rules read them, and the box a rule names.
    EntryTexts entryTexts() const;
    TextBox* entryBox(EntryBox box) const;
    void setStatusColor(quint32 color);

    // Layout helpers: a control at its design place, with its look.
    enum class Look { Heading, HeadingSmall, Value, Static, Status, Plain };
    Label* makeLabel(const QString& name, const QString& caption, double l, double t, double w,
                     double h, Look look, double fontSize = 0);
    TextBox* makeEntry(const QString& name, double l, double t, double w, double h);
    CommandButton* makeButton(const QString& name, const QString& caption, double l, double t,
                              double w, double h);
    ListBox* makeCountyList(const QString& name, double l, double t, double w, double h);
    // The score panel: six static captions (name, text, top, width) and the six value labels
    // beside them at the given tops; the last value label is `lastHeight` high.
    struct PanelCaption {
        const char* name;
        const char* text;
        double top;
        double width;
    };
    std::array<Label*, 6> makeScorePanel(const std::array<PanelCaption, 6>& captions,
                                         const std::array<double, 6>& valueTops, double lastHeight);
    void buildMenus();
    void buildSpotControls();

    // Shared steps of the rebuild.
    void countModes();
    void recountMultipliers();
    // The one pass over the log that the rebuild's steps read; kept while LoadLogAndRefresh runs.
    const LogSummary& summary();

  private:
    void wireCommands();  // run once every control of the window exists
    void changeBand(int index);
    void changeMode(const QString& mode);
    void setSpotDisplayVisible(bool list, bool map);
    void scaleForSpotStrip(double factor, double* lowestBottom);
    // True when nothing would be lost by ending now: the log is saved, or is written now, or
    // the operator answers Yes to losing what could not be written (Exit and the close).
    bool mayEndWithUnsavedLog();
    // Asks for the typed "YES" and has the store erase the log; an erased log starts its
    // operating time again at zero. True when erased. The caller saves the settings.
    bool eraseLogWhenConfirmed();
    void runLoadStep(const QString& what, const std::function<void()>& step);
    void setModeTicks();
    void setBandTick();
    void endAfterRebuildFailure(const QString& text);
    int selectedRecord() const;
    // The new last contact into the log list as FillLogList would show it; the list is refilled
    // when it shows anything else.
    void addNewestToLogList();
    // True when the log list shows records first to last as FillLogList lists them: newest
    // first, or in the operator's sort with the newer of two equal keys first.
    bool logListShows(int first, int last) const;
    // The log-list widths, in twips, as the load built them: every fit starts from these.
    std::vector<double> logListDesign_;
    // The widest call the last fit made room for; empty before the first.
    QString fittedCall_;

    Kind kind_;
    std::unique_ptr<LogIndex> index_;
    std::unique_ptr<LogSummary> summary_;
    bool rebuilding_ = false;
    // Keys that reached this window while a stored contact's row still stood (storeContact).
    std::vector<std::unique_ptr<QKeyEvent>> heldKeys_;
};

}  // namespace qf
