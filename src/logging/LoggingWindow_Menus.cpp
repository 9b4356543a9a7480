// The logging window's menu commands: new log, archive and restore, exit, the ADIF export, the
// help and colours windows, and the items that open the windows of the other subsystems. Also
// the wiring of every command, caption and spot control of this part of the window.
#include "app/App.h"
#include "app/Forms.h"
#include "common/QuotedFieldLine.h"
#include "keying/CWKeyer.h"
#include "keying/VoiceKeyer.h"
#include "rig/RigControl.h"
#include "spots/Spotting.h"
#include "logging/LoggingWindow.h"
#include "logging/ExportAdif.h"
#include "logging/StoreMessages.h"
#include "logstore/LogStore.h"
#include "platform/Error.h"
#include "platform/Guard.h"
#include "startup/SharedPreferences.h"

#include <QEvent>

namespace qf {

namespace {

// Runs the window's activation step each time it becomes the active window.
class ActivationFilter : public QObject {
  public:
    ActivationFilter(QObject* parent, std::function<void()> onActivate)
        : QObject(parent), onActivate_(std::move(onActivate)) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::WindowActivate) guarded(onActivate_);
        return QObject::eventFilter(watched, e);
    }

  private:
    std::function<void()> onActivate_;
};

const QString kLogFilter = QStringLiteral("Log Files (*.log)");

}  // namespace

void LoggingWindow::wireCommands() {
    using Handler = void (LoggingWindow::*)();
    const std::pair<MenuItem*, Handler> commands[] = {
        {mnuNew, &LoggingWindow::mnuNew_Click},
        {mnuArchive, &LoggingWindow::mnuArchive_Click},
        {mnuRestore, &LoggingWindow::mnuRestore_Click},
        {mnuWriteSumm, &LoggingWindow::mnuWriteSumm_Click},
        {mnuexportADIF, &LoggingWindow::mnuexportADIF_Click},
        {mnuExit, &LoggingWindow::mnuExit_Click},
        {mnuColors, &LoggingWindow::mnuColors_Click},
        {mnuCW, &LoggingWindow::mnuCW_Click},
        {mnuVoice, &LoggingWindow::mnuVoice_Click},
        {mnuRigInterface, &LoggingWindow::mnuRigInterface_Click},
        {mnuDXSpotting, &LoggingWindow::mnuDXSpotting_Click},
        {mnuSpectrumMap, &LoggingWindow::mnuSpectrumMap_Click},
        {mnuBlind, &LoggingWindow::mnuBlind_Click},
        {mnuPrivileges, &LoggingWindow::mnuPrivileges_Click},
        {mnuChangeCounty, &LoggingWindow::mnuChangeCounty_Click},
        {mnuMap, &LoggingWindow::mnuMap_Click},
        {mnuGraph, &LoggingWindow::mnuGraph_Click},
        {mnuCountyList, &LoggingWindow::mnuCountyList_Click},
        {mnuHelp, &LoggingWindow::mnuHelp_Click},
        {mnu160, &LoggingWindow::mnu160_Click},
        {mnuSSB, &LoggingWindow::mnuSSB_Click},
        {mnuDigital, &LoggingWindow::mnuDigital_Click},
        {mnuBandItems[0], &LoggingWindow::mnuBand160Ch_Click},
        {mnuBandItems[1], &LoggingWindow::mnuBand80Ch_Click},
        {mnuBandItems[2], &LoggingWindow::mnuBand40Ch_Click},
        {mnuBandItems[3], &LoggingWindow::mnuBand20Ch_Click},
        {mnuBandItems[4], &LoggingWindow::mnuBand15Ch_Click},
        {mnuBandItems[5], &LoggingWindow::mnuBand10Ch_Click},
        {mnuBandItems[6], &LoggingWindow::mnuBand6Ch_Click},
        {mnuBandItems[7], &LoggingWindow::mnuBand2Ch_Click},
        {mnuBandItems[8], &LoggingWindow::mnuBand125CH_Click},
        {mnuBandItems[9], &LoggingWindow::mnuBand70CH_Click}};
    for (const auto& [item, handler] : commands) {
        if (item) item->Click = [this, h = handler] { (this->*h)(); };
    }

    const QString captionTip = QStringLiteral("Click to change modes.");
    Label24->setToolTip(captionTip);
    Label30->setToolTip(captionTip);
    Label24->Click = [this] { Label24_Click(); };
    Label30->Click = [this] { Label30_Click(); };

    txtDX->Click = [this] { txtDX_Click(); };
    txtDX->DblClick = [this] { txtDX_DblClick(); };
    lblDX->Click = [this] { lblDX_Click(); };
    lblDX->DblClick = [this] { lblDX_DblClick(); };
    for (size_t i = 0; i < lblDXSpot.size(); ++i) {
        const int index = static_cast<int>(i);
        lblDXSpot[i]->MouseDown = [this, index](int button, int, double, double) {
            lblDXSpot_MouseDown(index, button);
        };
        lblDXSpot[i]->MouseMove = [this, index](int, int, double, double) {
            lblDXSpot_MouseMove(index);
        };
    }
    installEventFilter(new ActivationFilter(this, [this] { RefreshBandMap(); }));
}

// ---- file menu

bool LoggingWindow::eraseLogWhenConfirmed() {
    const QString answer = platform().dialogs.input(
        QStringLiteral("Are you sure that you want to start a new log file?  This function will "
                       "ERASE the existing log file!\r\n\r\nTo verify that you want to start a "
                       "new log file, please type: YES"),
        QStringLiteral("WARNING - Your existing log file will be ERASED!"), QString());
    if (answer.toUpper() != QLatin1String("YES")) return false;
    if (!StoreWithMessages(app_.logStore(), platform()).NewLog()) return false;
    app_.run().OperatingSeconds = 0;
    app_.station().AccumulatedOperatingSeconds = 0;
    return true;
}

void LoggingWindow::mnuNew_Click() {
    eraseLogWhenConfirmed();
    // Whether or not the log was erased.
    LoadLogAndRefresh();
    ShowOperatingTime();
    UpdateRates();
    // The one save of the settings, with the operating time as it now stands.
    WriteQSOPref(app_.station(), platform().files);
}

void LoggingWindow::mnuArchive_Click() {
    Platform& p = platform();
    p.dialogs.ok(
        QStringLiteral("This function is used to create a permanent copy of your currently "
                       "open log file.  To open your log file at a later date, click File > "
                       "Restore from Archive or Backup."),
        QStringLiteral("Archive Information"));
    try {
        FileRequest request;
        request.proposedPath = app_.startup().DataFolder + QStringLiteral("/BACKUP/") +
                               FileNameCall(app_.station().OwnCall) +
                               p.clock.localNow().toString(QStringLiteral("yyyy-MM-dd")) +
                               QStringLiteral(".log");
        request.filter = kLogFilter;
        request.promptOverwrite = true;
        const QString chosen = p.dialogs.fileSave(request);
        p.files.copyReplace(kLogFile, chosen);
    } catch (const Error& e) {
        if (e.number() == err::kCancel) return;
        p.dialogs.ok(e.text(), QStringLiteral("Error Archiving Log"));
    }
}

void LoggingWindow::mnuRestore_Click() {
    Platform& p = platform();
    p.dialogs.ok(
        QStringLiteral("This action will open an archived log or backup file and creates a "
                       "working file called log.txt.  If you make any changes to your "
                       "archived data that you would like to permanently save, before you "
                       "click File > New to start a new contest, be sure to click File > "
                       "Archive to save your changes."),
        QStringLiteral("Opening Archived Data Information"));
    if (app_.log().QSOCount > 0) {
        const Answer a = p.dialogs.message(
            {QStringLiteral("Are you sure that you want to open an archived log?  This action will "
                            "clear and replace existing QSO data."),
             QStringLiteral("Are your sure?"), Buttons::YesNo, Icon::None, 0});
        if (a != Answer::Yes) return;
    }
    try {
        FileRequest request;
        request.proposedPath = app_.startup().DataFolder + QStringLiteral("/BACKUP/");
        request.filter = kLogFilter;
        const QString chosen = p.dialogs.fileOpen(request);
        // The store replaces the log only with a file that loads whole.
        app_.logStore().RestoreLog(chosen);
    } catch (const Error& e) {
        if (e.number() == err::kCancel) return;
        p.dialogs.ok(e.text(), QStringLiteral("Error Restoring Log"));
        return;
    }
    LoadLogAndRefresh();
}

void LoggingWindow::mnuWriteSumm_Click() {
    app_.forms().DECabrilloIn().ShowModal();
    if (DECabrilloIn* w = app_.forms().cabrilloSlot().peek()) w->Unload();
}

void LoggingWindow::mnuexportADIF_Click() {
    ExportADIF(platform(), app_.startup(), app_.station(), app_.log(), app_.tables());
}

bool LoggingWindow::mayEndWithUnsavedLog() {
    StoreWithMessages store(app_.logStore(), platform());
    // Contacts that only live in memory would end with the program: one more try, and the
    // operator decides when it fails again.
    if (!store.unsaved() || store.RewriteLog()) return true;
    const Answer a = platform().dialogs.message(
        {QStringLiteral("Some contacts could not be written to log.txt and would be lost.  Exit "
                        "anyway?"),
         QStringLiteral("Exit"), Buttons::YesNo, Icon::Exclamation, 1});
    return a == Answer::Yes;
}

void LoggingWindow::mnuExit_Click() {
    if (!mayEndWithUnsavedLog()) return;
    RunState& run = app_.run();
    if (run.LoggedOn == 1) {
        app_.station().AccumulatedOperatingSeconds = run.OperatingSeconds;
        WriteQSOPref(app_.station(), platform().files);
        run.LoggedOn = 0;
    }
    // At once: no closing step of any window runs, and no backup is made.
    platform().ending.endNow(0);
}

// ---- options menu

void LoggingWindow::mnuColors_Click() {
    app_.forms().Form6().ShowModal();
    if (Form6* w = app_.forms().form6Slot().peek()) w->Unload();
    WriteQSOPref(app_.station(), platform().files);
    LoadLogAndRefresh();
}

void LoggingWindow::mnuCW_Click() { cw::ShowWindow(app_, true); }

void LoggingWindow::mnuVoice_Click() { voice::ShowWindow(app_, true); }

void LoggingWindow::mnuRigInterface_Click() { rig::ShowWindow(app_); }

void LoggingWindow::mnuDXSpotting_Click() {
    WriteQSOPref(app_.station(), platform().files);
    spots::ShowWindow(app_);
}

void LoggingWindow::mnuSpectrumMap_Click() { spots::ShowSpectrumMap(app_); }

void LoggingWindow::mnuBlind_Click() { voice::ShowNavigation(app_); }

void LoggingWindow::mnuPrivileges_Click() { rig::ShowPrivileges(app_); }

// ---- the other top-level items

void LoggingWindow::mnuChangeCounty_Click() {
    FormSlot<frmCountyChange>& slot = app_.forms().countyChangeSlot();
    slot.get().ShowModal();
    if (frmCountyChange* w = slot.peek()) w->Unload();
    WriteQSOPref(app_.station(), platform().files);
    Label25->setCaption(app_.station().OwnCounty);
}

void LoggingWindow::mnuMap_Click() {
    app_.forms().CountyMapMN().ShowModal();
    if (CountyMapMN* w = app_.forms().countyMapSlot().peek()) w->Unload();
}

void LoggingWindow::mnuGraph_Click() {
    app_.forms().GraphQSO().ShowModal();
    if (GraphQSO* w = app_.forms().graphSlot().peek()) w->Unload();
}

void LoggingWindow::mnuCountyList_Click() {
    app_.forms().frmCountyList().ShowModal();
    if (frmCountyList* w = app_.forms().countyListSlot().peek()) w->Unload();
}

void LoggingWindow::mnuHelp_Click() {
    app_.forms().Form5().ShowModal();
    if (Form5* w = app_.forms().form5Slot().peek()) w->Unload();
}

}  // namespace qf
